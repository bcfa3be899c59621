// GDI: colours, stock objects, brushes, fonts, clipping, and the display
// device and display mode records.
#pragma once

#include <windef.h>

#define RGB(r, g, b) ((COLORREF)(((BYTE)(r)) | ((WORD)((BYTE)(g)) << 8) | (((DWORD)(BYTE)(b)) << 16)))
#define GetRValue(color) ((BYTE)(color))
#define GetGValue(color) ((BYTE)(((WORD)(color)) >> 8))
#define GetBValue(color) ((BYTE)((color) >> 16))
#define CLR_INVALID 0xFFFFFFFFu

// Stock objects.
#define WHITE_BRUSH 0
#define BLACK_BRUSH 4
#define SYSTEM_FONT 13
#define DEFAULT_GUI_FONT 17

// Background modes.
#define TRANSPARENT 1
#define OPAQUE 2

// Region kinds returned by the clipping calls.
#define ERROR 0
#define NULLREGION 1
#define SIMPLEREGION 2
#define COMPLEXREGION 3

struct POINTL {
    LONG x;
    LONG y;
};

struct PALETTEENTRY {
    BYTE peRed;
    BYTE peGreen;
    BYTE peBlue;
    BYTE peFlags;
};
typedef PALETTEENTRY* LPPALETTEENTRY;

#define CCHDEVICENAME 32
#define CCHFORMNAME 32

// dmFields bits.
#define DM_POSITION 0x00000020u
#define DM_BITSPERPEL 0x00040000u
#define DM_PELSWIDTH 0x00080000u
#define DM_PELSHEIGHT 0x00100000u
#define DM_DISPLAYFLAGS 0x00200000u
#define DM_DISPLAYFREQUENCY 0x00400000u

struct DEVMODEW {
    WCHAR dmDeviceName[CCHDEVICENAME];
    WORD dmSpecVersion;
    WORD dmDriverVersion;
    WORD dmSize;
    WORD dmDriverExtra;
    DWORD dmFields;
    __extension__ union {
        __extension__ struct {
            SHORT dmOrientation;
            SHORT dmPaperSize;
            SHORT dmPaperLength;
            SHORT dmPaperWidth;
            SHORT dmScale;
            SHORT dmCopies;
            SHORT dmDefaultSource;
            SHORT dmPrintQuality;
        };
        __extension__ struct {
            POINTL dmPosition;
            DWORD dmDisplayOrientation;
            DWORD dmDisplayFixedOutput;
        };
    };
    SHORT dmColor;
    SHORT dmDuplex;
    SHORT dmYResolution;
    SHORT dmTTOption;
    SHORT dmCollate;
    WCHAR dmFormName[CCHFORMNAME];
    WORD dmLogPixels;
    DWORD dmBitsPerPel;
    DWORD dmPelsWidth;
    DWORD dmPelsHeight;
    __extension__ union {
        DWORD dmDisplayFlags;
        DWORD dmNup;
    };
    DWORD dmDisplayFrequency;
    DWORD dmICMMethod;
    DWORD dmICMIntent;
    DWORD dmMediaType;
    DWORD dmDitherType;
    DWORD dmReserved1;
    DWORD dmReserved2;
    DWORD dmPanningWidth;
    DWORD dmPanningHeight;
};
typedef DEVMODEW* PDEVMODEW;
typedef DEVMODEW* LPDEVMODEW;

// StateFlags of an adapter.
#define DISPLAY_DEVICE_ATTACHED_TO_DESKTOP 0x00000001u
#define DISPLAY_DEVICE_MULTI_DRIVER 0x00000002u
#define DISPLAY_DEVICE_PRIMARY_DEVICE 0x00000004u
#define DISPLAY_DEVICE_MIRRORING_DRIVER 0x00000008u
// StateFlags of a monitor.
#define DISPLAY_DEVICE_ACTIVE 0x00000001u
#define DISPLAY_DEVICE_ATTACHED 0x00000002u

struct DISPLAY_DEVICEW {
    DWORD cb;
    WCHAR DeviceName[32];
    WCHAR DeviceString[128];
    DWORD StateFlags;
    WCHAR DeviceID[128];
    WCHAR DeviceKey[128];
};
typedef DISPLAY_DEVICEW* PDISPLAY_DEVICEW;
typedef DISPLAY_DEVICEW* LPDISPLAY_DEVICEW;

extern "C" {

HGDIOBJ WINAPI GetStockObject(int object);
HBRUSH WINAPI CreateSolidBrush(COLORREF color);
BOOL WINAPI DeleteObject(HGDIOBJ object);
HGDIOBJ WINAPI SelectObject(HDC dc, HGDIOBJ object);
COLORREF WINAPI SetTextColor(HDC dc, COLORREF color);
int WINAPI SetBkMode(HDC dc, int mode);
int WINAPI ExcludeClipRect(HDC dc, int left, int top, int right, int bottom);

}  // extern "C"

// Generic names follow UNICODE; only the wide forms are declared here.
#ifdef UNICODE
typedef DEVMODEW DEVMODE;
typedef PDEVMODEW PDEVMODE;
typedef LPDEVMODEW LPDEVMODE;
typedef DISPLAY_DEVICEW DISPLAY_DEVICE;
typedef PDISPLAY_DEVICEW PDISPLAY_DEVICE;
typedef LPDISPLAY_DEVICEW LPDISPLAY_DEVICE;
#endif
