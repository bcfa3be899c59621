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

#include <wingdi.h>

#define MONITOR_DEFAULTTONULL 0x00000000u
#define MONITOR_DEFAULTTOPRIMARY 0x00000001u
#define MONITOR_DEFAULTTONEAREST 0x00000002u

#define MONITORINFOF_PRIMARY 0x00000001u

struct MONITORINFO {
    DWORD cbSize;
    RECT rcMonitor;
    RECT rcWork;
    DWORD dwFlags;
};
typedef MONITORINFO* LPMONITORINFO;

struct MONITORINFOEXW : MONITORINFO {
    WCHAR szDevice[CCHDEVICENAME];
};
typedef MONITORINFOEXW* LPMONITORINFOEXW;

#define ENUM_CURRENT_SETTINGS ((DWORD)-1)
#define ENUM_REGISTRY_SETTINGS ((DWORD)-2)

extern "C" {

HMONITOR WINAPI MonitorFromRect(LPCRECT rect, DWORD flags);
HMONITOR WINAPI MonitorFromPoint(POINT point, DWORD flags);
HMONITOR WINAPI MonitorFromWindow(HWND window, DWORD flags);
// info->cbSize selects MONITORINFO or MONITORINFOEXW.
BOOL WINAPI GetMonitorInfoW(HMONITOR monitor, LPMONITORINFO info);
// device NULL lists the adapters; an adapter's DeviceName lists its monitors.
BOOL WINAPI EnumDisplayDevicesW(LPCWSTR device, DWORD deviceIndex, PDISPLAY_DEVICEW displayDevice,
                                DWORD flags);
// modeIndex ENUM_CURRENT_SETTINGS, ENUM_REGISTRY_SETTINGS or 0, 1, ... for the mode list.
BOOL WINAPI EnumDisplaySettingsW(LPCWSTR deviceName, DWORD modeIndex, DEVMODEW* devMode);

}  // extern "C"

// ---- Painting and message boxes.

#define COLOR_SCROLLBAR 0
#define COLOR_BACKGROUND 1
#define COLOR_ACTIVECAPTION 2
#define COLOR_INACTIVECAPTION 3
#define COLOR_MENU 4
#define COLOR_WINDOW 5
#define COLOR_WINDOWFRAME 6
#define COLOR_MENUTEXT 7
#define COLOR_WINDOWTEXT 8
#define COLOR_CAPTIONTEXT 9
#define COLOR_ACTIVEBORDER 10
#define COLOR_INACTIVEBORDER 11
#define COLOR_APPWORKSPACE 12
#define COLOR_HIGHLIGHT 13
#define COLOR_HIGHLIGHTTEXT 14
#define COLOR_BTNFACE 15
#define COLOR_BTNSHADOW 16
#define COLOR_GRAYTEXT 17
#define COLOR_BTNTEXT 18
#define COLOR_INACTIVECAPTIONTEXT 19
#define COLOR_BTNHIGHLIGHT 20
#define COLOR_3DDKSHADOW 21
#define COLOR_3DLIGHT 22
#define COLOR_INFOTEXT 23
#define COLOR_INFOBK 24
#define COLOR_HOTLIGHT 26
#define COLOR_GRADIENTACTIVECAPTION 27
#define COLOR_GRADIENTINACTIVECAPTION 28
#define COLOR_MENUHILIGHT 29
#define COLOR_MENUBAR 30

#define DT_TOP 0x00000000u
#define DT_LEFT 0x00000000u
#define DT_CENTER 0x00000001u
#define DT_VCENTER 0x00000004u
#define DT_WORDBREAK 0x00000010u
#define DT_SINGLELINE 0x00000020u
#define DT_CALCRECT 0x00000400u
#define DT_NOPREFIX 0x00000800u

#define MB_OK 0x00000000u
#define MB_ICONERROR 0x00000010u
#define MB_ICONINFORMATION 0x00000040u
#define IDOK 1

extern "C" {

DWORD WINAPI GetSysColor(int index);
HBRUSH WINAPI GetSysColorBrush(int index);
// brush may also be (HBRUSH)(COLOR_xxx + 1).
int WINAPI FillRect(HDC dc, const RECT* rect, HBRUSH brush);
int WINAPI FrameRect(HDC dc, const RECT* rect, HBRUSH brush);
int WINAPI DrawTextW(HDC dc, LPCWSTR text, int count, LPRECT rect, UINT format);

int WINAPI MessageBoxW(HWND owner, LPCWSTR text, LPCWSTR caption, UINT type);

}  // extern "C"
