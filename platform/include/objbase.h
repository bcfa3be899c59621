// COM run time: apartments, class objects and GUID text.
#pragma once

#include <guiddef.h>
#include <unknwn.h>
#include <windef.h>

#define CLSCTX_INPROC_SERVER 0x1
#define CLSCTX_INPROC_HANDLER 0x2
#define CLSCTX_LOCAL_SERVER 0x4
#define CLSCTX_INPROC (CLSCTX_INPROC_SERVER | CLSCTX_INPROC_HANDLER)
#define CLSCTX_ALL (CLSCTX_INPROC_SERVER | CLSCTX_INPROC_HANDLER | CLSCTX_LOCAL_SERVER)

#define COINIT_APARTMENTTHREADED 0x2
#define COINIT_MULTITHREADED 0x0

extern "C" {

HRESULT WINAPI CoInitialize(LPVOID reserved);
HRESULT WINAPI CoInitializeEx(LPVOID reserved, DWORD coInit);
void WINAPI CoUninitialize();
HRESULT WINAPI CoCreateInstance(REFCLSID clsid, LPUNKNOWN outer, DWORD context, REFIID iid,
                                LPVOID* object);
HRESULT WINAPI CoCreateGuid(GUID* guid);

// "{XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}": 38 characters and a terminator;
// 0 when the buffer is smaller. CLSIDFromString reads that form only (hex
// digits of either case); anything else gives CO_E_CLASSSTRING and
// CLSID_NULL, a null text CLSID_NULL and S_OK.
int WINAPI StringFromGUID2(REFGUID guid, LPWSTR buffer, int bufferMax);
HRESULT WINAPI CLSIDFromString(LPCWSTR text, LPCLSID clsid);

LPVOID WINAPI CoTaskMemAlloc(SIZE_T size);
void WINAPI CoTaskMemFree(LPVOID memory);

}  // extern "C"

#include <oleauto.h>
