// BSTR: a length-prefixed wide string.
#pragma once

#include <windef.h>

typedef WCHAR OLECHAR;
typedef OLECHAR* BSTR;
typedef const OLECHAR* LPCOLESTR;
typedef OLECHAR* LPOLESTR;

extern "C" {

BSTR WINAPI SysAllocString(const OLECHAR* text);
BSTR WINAPI SysAllocStringLen(const OLECHAR* text, UINT length);
void WINAPI SysFreeString(BSTR text);
UINT WINAPI SysStringLen(BSTR text);

}  // extern "C"
