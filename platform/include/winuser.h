// User interface: windows, messages, input, monitors, painting, string
// resources and formatted wide text.
#pragma once

#include <cstdarg>

#include <windef.h>
#include <winbase.h>

extern "C" {

int WINAPI LoadStringW(HINSTANCE instance, UINT id, LPWSTR buffer, int bufferMax);

// wsprintfW: %s is a wide string, %S narrow; no floating point; at most
// 1024 characters including the terminator, as on Windows.
int WINAPIV wsprintfW(LPWSTR buffer, LPCWSTR format, ...);
int WINAPI wvsprintfW(LPWSTR buffer, LPCWSTR format, va_list arguments);

}  // extern "C"

#define SW_HIDE 0
#define SW_SHOWNORMAL 1
#define SW_SHOW 5
#define SW_SHOWDEFAULT 10

// ---- Windows, classes, messages, timers and input.

// ---- Monitors and display devices.

// ---- Painting and message boxes.
