// User interface: windows, messages, input, monitors, painting, string
// resources and formatted wide text.
#pragma once

#include <cstdarg>

#include <windef.h>
#include <winbase.h>
#include <winuser.rh>

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

typedef LRESULT(CALLBACK* WNDPROC)(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
typedef void(CALLBACK* TIMERPROC)(HWND window, UINT message, UINT_PTR id, DWORD time);

// Class styles.
#define CS_VREDRAW 0x0001u
#define CS_HREDRAW 0x0002u

struct WNDCLASSW {
    UINT style;
    WNDPROC lpfnWndProc;
    int cbClsExtra;
    int cbWndExtra;
    HINSTANCE hInstance;
    HICON hIcon;
    HCURSOR hCursor;
    HBRUSH hbrBackground;
    LPCWSTR lpszMenuName;
    LPCWSTR lpszClassName;
};
typedef WNDCLASSW* LPWNDCLASSW;

struct CREATESTRUCTW {
    LPVOID lpCreateParams;
    HINSTANCE hInstance;
    HMENU hMenu;
    HWND hwndParent;
    int cy;
    int cx;
    int y;
    int x;
    LONG style;
    LPCWSTR lpszName;
    LPCWSTR lpszClass;
    DWORD dwExStyle;
};
typedef CREATESTRUCTW* LPCREATESTRUCTW;

struct MSG {
    HWND hwnd;
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
    DWORD time;
    POINT pt;
};
typedef MSG* LPMSG;

struct PAINTSTRUCT {
    HDC hdc;
    BOOL fErase;
    RECT rcPaint;
    BOOL fRestore;
    BOOL fIncUpdate;
    BYTE rgbReserved[32];
};
typedef PAINTSTRUCT* LPPAINTSTRUCT;

// Messages.
#define WM_NULL 0x0000u
#define WM_CREATE 0x0001u
#define WM_DESTROY 0x0002u
#define WM_PAINT 0x000Fu
#define WM_CLOSE 0x0010u
#define WM_QUIT 0x0012u
#define WM_ERASEBKGND 0x0014u
#define WM_ACTIVATEAPP 0x001Cu
#define WM_SETCURSOR 0x0020u
#define WM_NCCREATE 0x0081u
#define WM_NCDESTROY 0x0082u
#define WM_KEYDOWN 0x0100u
#define WM_CHAR 0x0102u
#define WM_SYSKEYDOWN 0x0104u
#define WM_SYSCHAR 0x0106u
#define WM_SYSCOMMAND 0x0112u
#define WM_TIMER 0x0113u
#define WM_MOUSEMOVE 0x0200u
#define WM_LBUTTONDOWN 0x0201u
#define WM_RBUTTONDOWN 0x0204u
#define WM_MBUTTONDOWN 0x0207u
#define WM_POWERBROADCAST 0x0218u
#define WM_USER 0x0400u
#define WM_APP 0x8000u

// WM_SYSCOMMAND commands.
#define SC_NEXTWINDOW 0xF040u
#define SC_PREVWINDOW 0xF050u
#define SC_CLOSE 0xF060u
#define SC_SCREENSAVE 0xF140u

// WM_POWERBROADCAST events.
#define PBT_APMSUSPEND 0x0004u

// WM_SETCURSOR hit test (low word of lParam).
#define HTCLIENT 1

// Mouse message key state (wParam).
#define MK_LBUTTON 0x0001u
#define MK_RBUTTON 0x0002u
#define MK_SHIFT 0x0004u
#define MK_CONTROL 0x0008u
#define MK_MBUTTON 0x0010u

#define MAKEWPARAM(low, high) ((WPARAM)(DWORD)MAKELONG(low, high))
#define MAKELPARAM(low, high) ((LPARAM)(DWORD)MAKELONG(low, high))
#define MAKEINTATOM(atom) ((LPWSTR)((ULONG_PTR)((WORD)(atom))))

// Virtual keys; letters and digits are their upper-case ASCII codes.
#define VK_BACK 0x08u
#define VK_TAB 0x09u
#define VK_RETURN 0x0Du
#define VK_SHIFT 0x10u
#define VK_CONTROL 0x11u
#define VK_MENU 0x12u
#define VK_PAUSE 0x13u
#define VK_CAPITAL 0x14u
#define VK_ESCAPE 0x1Bu
#define VK_SPACE 0x20u
#define VK_PRIOR 0x21u
#define VK_NEXT 0x22u
#define VK_END 0x23u
#define VK_HOME 0x24u
#define VK_LEFT 0x25u
#define VK_UP 0x26u
#define VK_RIGHT 0x27u
#define VK_DOWN 0x28u
#define VK_INSERT 0x2Du
#define VK_DELETE 0x2Eu
#define VK_F1 0x70u
#define VK_F2 0x71u
#define VK_F3 0x72u
#define VK_F4 0x73u
#define VK_F5 0x74u
#define VK_F6 0x75u
#define VK_F7 0x76u
#define VK_F8 0x77u
#define VK_F9 0x78u
#define VK_F10 0x79u
#define VK_F11 0x7Au
#define VK_F12 0x7Bu

// PeekMessageW.
#define PM_NOREMOVE 0x0000u
#define PM_REMOVE 0x0001u

// ShowWindow commands (besides those above).
#define SW_SHOWNOACTIVATE 4
#define SW_SHOWNA 8

// SetWindowPos.
#define HWND_TOP ((HWND)0)
#define HWND_TOPMOST ((HWND)(LONG_PTR)-1)
#define HWND_NOTOPMOST ((HWND)(LONG_PTR)-2)
#define SWP_NOSIZE 0x0001u
#define SWP_NOMOVE 0x0002u
#define SWP_NOZORDER 0x0004u
#define SWP_NOACTIVATE 0x0010u
#define SWP_SHOWWINDOW 0x0040u
#define SWP_HIDEWINDOW 0x0080u

// Window data.
#define GWLP_USERDATA (-21)

// Cursors.
#define IDC_ARROW MAKEINTRESOURCE(32512)
#define IDC_HAND MAKEINTRESOURCE(32649)

// SystemParametersInfoW.
#define SPI_SETSCREENSAVERRUNNING 0x0061u

extern "C" {

ATOM WINAPI RegisterClassW(const WNDCLASSW* windowClass);
// className is a registered name or the atom from RegisterClassW.
HWND WINAPI CreateWindowExW(DWORD exStyle, LPCWSTR className, LPCWSTR windowName, DWORD style,
                            int x, int y, int width, int height, HWND parent, HMENU menu,
                            HINSTANCE instance, LPVOID param);
BOOL WINAPI DestroyWindow(HWND window);
BOOL WINAPI IsWindow(HWND window);
BOOL WINAPI ShowWindow(HWND window, int command);
BOOL WINAPI SetWindowPos(HWND window, HWND insertAfter, int x, int y, int width, int height,
                         UINT flags);
BOOL WINAPI AdjustWindowRect(LPRECT rect, DWORD style, BOOL menu);
BOOL WINAPI GetClientRect(HWND window, LPRECT rect);
BOOL WINAPI GetWindowRect(HWND window, LPRECT rect);
BOOL WINAPI ScreenToClient(HWND window, LPPOINT point);
BOOL WINAPI ClientToScreen(HWND window, LPPOINT point);
LONG_PTR WINAPI GetWindowLongPtrW(HWND window, int index);
LONG_PTR WINAPI SetWindowLongPtrW(HWND window, int index, LONG_PTR value);

BOOL WINAPI GetMessageW(LPMSG message, HWND window, UINT filterMin, UINT filterMax);
BOOL WINAPI PeekMessageW(LPMSG message, HWND window, UINT filterMin, UINT filterMax,
                         UINT removeFlags);
BOOL WINAPI TranslateMessage(const MSG* message);
LRESULT WINAPI DispatchMessageW(const MSG* message);
// Runs the window procedure on the calling thread.
LRESULT WINAPI SendMessageW(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
// Safe from any thread.
BOOL WINAPI PostMessageW(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
void WINAPI PostQuitMessage(int exitCode);
LRESULT WINAPI DefWindowProcW(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// Window timers only; a timer procedure is not supported (such a call fails).
UINT_PTR WINAPI SetTimer(HWND window, UINT_PTR id, UINT elapse, TIMERPROC timerProc);
BOOL WINAPI KillTimer(HWND window, UINT_PTR id);

BOOL WINAPI InvalidateRect(HWND window, const RECT* rect, BOOL erase);
BOOL WINAPI ValidateRect(HWND window, const RECT* rect);
BOOL WINAPI UpdateWindow(HWND window);
HDC WINAPI BeginPaint(HWND window, LPPAINTSTRUCT paint);
BOOL WINAPI EndPaint(HWND window, const PAINTSTRUCT* paint);
HDC WINAPI GetDC(HWND window);
int WINAPI ReleaseDC(HWND window, HDC dc);

// An icon from the module's resources (a 32-bit image), shared and kept.
HICON WINAPI LoadIconW(HINSTANCE instance, LPCWSTR name);
HCURSOR WINAPI LoadCursorW(HINSTANCE instance, LPCWSTR name);
HCURSOR WINAPI SetCursor(HCURSOR cursor);
int WINAPI ShowCursor(BOOL show);

BOOL WINAPI SystemParametersInfoW(UINT action, UINT uiParam, PVOID pvParam, UINT winIni);

}  // extern "C"

inline HWND CreateWindowW(LPCWSTR className, LPCWSTR windowName, DWORD style, int x, int y,
                          int width, int height, HWND parent, HMENU menu, HINSTANCE instance,
                          LPVOID param) {
    return CreateWindowExW(0, className, windowName, style, x, y, width, height, parent, menu,
                           instance, param);
}

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

extern "C" {

DWORD WINAPI GetSysColor(int index);
HBRUSH WINAPI GetSysColorBrush(int index);
// brush may also be (HBRUSH)(COLOR_xxx + 1).
int WINAPI FillRect(HDC dc, const RECT* rect, HBRUSH brush);
int WINAPI FrameRect(HDC dc, const RECT* rect, HBRUSH brush);
int WINAPI DrawTextW(HDC dc, LPCWSTR text, int count, LPRECT rect, UINT format);

int WINAPI MessageBoxW(HWND owner, LPCWSTR text, LPCWSTR caption, UINT type);

}  // extern "C"

// ---- Dialog boxes and controls.

#define WM_ENABLE 0x000Au
#define WM_SETTEXT 0x000Cu
#define WM_GETTEXT 0x000Du
#define WM_GETTEXTLENGTH 0x000Eu
#define WM_SETFOCUS 0x0007u
#define WM_KILLFOCUS 0x0008u
#define WM_NOTIFY 0x004Eu
#define WM_INITDIALOG 0x0110u
#define WM_COMMAND 0x0111u
#define WM_HSCROLL 0x0114u

#define DM_GETDEFID (WM_USER + 0)
#define DC_HASDEFID 0x534B

// Button messages, notifications and states.
#define BM_GETCHECK 0x00F0u
#define BM_SETCHECK 0x00F1u
#define BM_SETSTYLE 0x00F4u
#define BM_CLICK 0x00F5u
#define BN_CLICKED 0
#define BST_UNCHECKED 0x0000u
#define BST_CHECKED 0x0001u

// Combo box messages and notifications.
#define CB_OKAY 0
#define CB_ERR (-1)
#define CB_GETCOUNT 0x0146u
#define CB_GETCURSEL 0x0147u
#define CB_GETLBTEXT 0x0148u
#define CB_GETLBTEXTLEN 0x0149u
#define CB_ADDSTRING 0x0143u
#define CB_RESETCONTENT 0x014Bu
#define CB_SETCURSEL 0x014Eu
#define CB_GETITEMDATA 0x0150u
#define CB_SETITEMDATA 0x0151u
#define CBN_SELCHANGE 1

typedef INT_PTR(CALLBACK* DLGPROC)(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

// The header that every WM_NOTIFY carries.
struct NMHDR {
    HWND hwndFrom;
    UINT_PTR idFrom;
    UINT code;
};
typedef NMHDR* LPNMHDR;

extern "C" {

// templateName: MAKEINTRESOURCEW(id) or a name of an RT_DIALOG resource.
INT_PTR WINAPI DialogBoxParamW(HINSTANCE instance, LPCWSTR templateName, HWND parent, DLGPROC dialogProc,
                               LPARAM initParam);
BOOL WINAPI EndDialog(HWND dialog, INT_PTR result);
HWND WINAPI GetDlgItem(HWND dialog, int id);
int WINAPI GetDlgCtrlID(HWND control);
LRESULT WINAPI SendDlgItemMessageW(HWND dialog, int id, UINT message, WPARAM wParam, LPARAM lParam);
UINT WINAPI GetDlgItemTextW(HWND dialog, int id, LPWSTR buffer, int bufferMax);
BOOL WINAPI SetDlgItemTextW(HWND dialog, int id, LPCWSTR text);
BOOL WINAPI CheckDlgButton(HWND dialog, int id, UINT check);
UINT WINAPI IsDlgButtonChecked(HWND dialog, int id);
BOOL WINAPI CheckRadioButton(HWND dialog, int firstId, int lastId, int checkId);
BOOL WINAPI MapDialogRect(HWND dialog, LPRECT rect);

BOOL WINAPI SetWindowTextW(HWND window, LPCWSTR text);
int WINAPI GetWindowTextW(HWND window, LPWSTR buffer, int bufferMax);
int WINAPI GetWindowTextLengthW(HWND window);
// Returns nonzero when the window was disabled before.
BOOL WINAPI EnableWindow(HWND window, BOOL enable);
BOOL WINAPI IsWindowEnabled(HWND window);

}  // extern "C"

#define DialogBoxW(instance, templateName, parent, dialogProc) \
    DialogBoxParamW(instance, templateName, parent, dialogProc, 0)

#ifdef UNICODE
#define DialogBoxParam DialogBoxParamW
#define DialogBox DialogBoxW
#define SendDlgItemMessage SendDlgItemMessageW
#define GetDlgItemText GetDlgItemTextW
#define SetDlgItemText SetDlgItemTextW
#define SetWindowText SetWindowTextW
#define GetWindowText GetWindowTextW
#define GetWindowTextLength GetWindowTextLengthW
#else
#define DialogBoxParam DialogBoxParamA
#define DialogBox DialogBoxA
#define SendDlgItemMessage SendDlgItemMessageA
#define GetDlgItemText GetDlgItemTextA
#define SetDlgItemText SetDlgItemTextA
#define SetWindowText SetWindowTextA
#define GetWindowText GetWindowTextA
#define GetWindowTextLength GetWindowTextLengthA
#endif

// Generic names follow UNICODE; only the wide forms are declared here.
#ifdef UNICODE
typedef WNDCLASSW WNDCLASS;
typedef LPWNDCLASSW LPWNDCLASS;
typedef CREATESTRUCTW CREATESTRUCT;
typedef LPCREATESTRUCTW LPCREATESTRUCT;
typedef MONITORINFOEXW MONITORINFOEX;
typedef LPMONITORINFOEXW LPMONITORINFOEX;
#define LoadString LoadStringW
#define wsprintf wsprintfW
#define wvsprintf wvsprintfW
#define RegisterClass RegisterClassW
#define CreateWindowEx CreateWindowExW
#define CreateWindow CreateWindowW
#define GetWindowLongPtr GetWindowLongPtrW
#define SetWindowLongPtr SetWindowLongPtrW
#define GetMessage GetMessageW
#define PeekMessage PeekMessageW
#define DispatchMessage DispatchMessageW
#define SendMessage SendMessageW
#define PostMessage PostMessageW
#define DefWindowProc DefWindowProcW
#define LoadIcon LoadIconW
#define LoadCursor LoadCursorW
#define SystemParametersInfo SystemParametersInfoW
#define GetMonitorInfo GetMonitorInfoW
#define EnumDisplayDevices EnumDisplayDevicesW
#define EnumDisplaySettings EnumDisplaySettingsW
#define DrawText DrawTextW
#define MessageBox MessageBoxW
#else
#define LoadString LoadStringA
#define wsprintf wsprintfA
#define wvsprintf wvsprintfA
#define RegisterClass RegisterClassA
#define CreateWindowEx CreateWindowExA
#define CreateWindow CreateWindowA
#define GetWindowLongPtr GetWindowLongPtrA
#define SetWindowLongPtr SetWindowLongPtrA
#define GetMessage GetMessageA
#define PeekMessage PeekMessageA
#define DispatchMessage DispatchMessageA
#define SendMessage SendMessageA
#define PostMessage PostMessageA
#define DefWindowProc DefWindowProcA
#define LoadIcon LoadIconA
#define LoadCursor LoadCursorA
#define SystemParametersInfo SystemParametersInfoA
#define GetMonitorInfo GetMonitorInfoA
#define EnumDisplayDevices EnumDisplayDevicesA
#define EnumDisplaySettings EnumDisplaySettingsA
#define DrawText DrawTextA
#define MessageBox MessageBoxA
#endif
