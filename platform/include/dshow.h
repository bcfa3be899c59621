// DirectShow: a filter graph that plays audio files, with its control,
// seeking, event and volume interfaces.
#pragma once

#include <objbase.h>
#include <windef.h>

typedef LONGLONG REFERENCE_TIME;
typedef LONG OAFilterState;
typedef LONG_PTR OAHWND;

typedef enum _FilterState { State_Stopped = 0, State_Paused = 1, State_Running = 2 } FILTER_STATE;

#define EC_COMPLETE 0x01
#define EC_USERABORT 0x02
#define EC_ERRORABORT 0x03

#define AM_SEEKING_NoPositioning 0x0
#define AM_SEEKING_AbsolutePositioning 0x1
#define AM_SEEKING_RelativePositioning 0x2
#define AM_SEEKING_IncrementalPositioning 0x3
#define AM_SEEKING_PositioningBitsMask 0x3

#define VFW_E_NOT_CONNECTED ((HRESULT)0x80040209)
#define VFW_E_NOT_FOUND ((HRESULT)0x80040216)
#define VFW_E_CANNOT_RENDER ((HRESULT)0x80040218)
#define VFW_E_UNKNOWN_FILE_TYPE ((HRESULT)0x80040240)
#define VFW_E_NOT_IN_GRAPH ((HRESULT)0x8004025F)
#define VFW_E_UNSUPPORTED_STREAM ((HRESULT)0x80040265)

DEFINE_GUID(CLSID_FilterGraph, 0xE436EBB3, 0x524F, 0x11CE, 0x9F, 0x53, 0x00, 0x20, 0xAF, 0x0B,
            0xA7, 0x70);
DEFINE_GUID(IID_IPin, 0x56A86891, 0x0AD4, 0x11CE, 0xB0, 0x3A, 0x00, 0x20, 0xAF, 0x0B, 0xA7, 0x70);
DEFINE_GUID(IID_IEnumFilters, 0x56A86893, 0x0AD4, 0x11CE, 0xB0, 0x3A, 0x00, 0x20, 0xAF, 0x0B,
            0xA7, 0x70);
DEFINE_GUID(IID_IBaseFilter, 0x56A86895, 0x0AD4, 0x11CE, 0xB0, 0x3A, 0x00, 0x20, 0xAF, 0x0B,
            0xA7, 0x70);
DEFINE_GUID(IID_IFilterGraph, 0x56A8689F, 0x0AD4, 0x11CE, 0xB0, 0x3A, 0x00, 0x20, 0xAF, 0x0B,
            0xA7, 0x70);
DEFINE_GUID(IID_IGraphBuilder, 0x56A868A9, 0x0AD4, 0x11CE, 0xB0, 0x3A, 0x00, 0x20, 0xAF, 0x0B,
            0xA7, 0x70);
DEFINE_GUID(IID_IMediaControl, 0x56A868B1, 0x0AD4, 0x11CE, 0xB0, 0x3A, 0x00, 0x20, 0xAF, 0x0B,
            0xA7, 0x70);
DEFINE_GUID(IID_IBasicAudio, 0x56A868B3, 0x0AD4, 0x11CE, 0xB0, 0x3A, 0x00, 0x20, 0xAF, 0x0B,
            0xA7, 0x70);
DEFINE_GUID(IID_IMediaEvent, 0x56A868B6, 0x0AD4, 0x11CE, 0xB0, 0x3A, 0x00, 0x20, 0xAF, 0x0B,
            0xA7, 0x70);
DEFINE_GUID(IID_IMediaEventEx, 0x56A868C0, 0x0AD4, 0x11CE, 0xB0, 0x3A, 0x00, 0x20, 0xAF, 0x0B,
            0xA7, 0x70);
DEFINE_GUID(IID_IMediaSeeking, 0x36B73880, 0xC2C8, 0x11CF, 0x8B, 0x46, 0x00, 0x80, 0x5F, 0x6C,
            0xEF, 0x60);

// A filter's connection point; the graph builder connects pins, callers
// only hand them on.
struct IPin : IUnknown {};

struct IBaseFilter : IUnknown {
    STDMETHOD(FindPin)(LPCWSTR id, IPin** pin) PURE;
};

struct IEnumFilters : IUnknown {
    STDMETHOD(Next)(ULONG count, IBaseFilter** filters, ULONG* fetched) PURE;
    STDMETHOD(Skip)(ULONG count) PURE;
    STDMETHOD(Reset)() PURE;
};

struct IFilterGraph : IUnknown {
    STDMETHOD(AddFilter)(IBaseFilter* filter, LPCWSTR name) PURE;
    STDMETHOD(RemoveFilter)(IBaseFilter* filter) PURE;
    STDMETHOD(EnumFilters)(IEnumFilters** enumerator) PURE;
};

struct IGraphBuilder : IFilterGraph {
    STDMETHOD(Render)(IPin* output) PURE;
    STDMETHOD(RenderFile)(LPCWSTR file, LPCWSTR playList) PURE;
    STDMETHOD(AddSourceFilter)(LPCWSTR fileName, LPCWSTR filterName, IBaseFilter** filter) PURE;
};

struct IMediaControl : IUnknown {
    STDMETHOD(Run)() PURE;
    STDMETHOD(Pause)() PURE;
    STDMETHOD(Stop)() PURE;
    STDMETHOD(GetState)(LONG msTimeout, OAFilterState* state) PURE;
};

struct IMediaSeeking : IUnknown {
    STDMETHOD(GetDuration)(LONGLONG* duration) PURE;
    STDMETHOD(GetCurrentPosition)(LONGLONG* current) PURE;
    STDMETHOD(SetPositions)(LONGLONG* current, DWORD currentFlags, LONGLONG* stop,
                            DWORD stopFlags) PURE;
    STDMETHOD(GetPositions)(LONGLONG* current, LONGLONG* stop) PURE;
};

struct IMediaEvent : IUnknown {
    STDMETHOD(GetEvent)(LONG* eventCode, LONG_PTR* param1, LONG_PTR* param2, LONG msTimeout) PURE;
    STDMETHOD(FreeEventParams)(LONG eventCode, LONG_PTR param1, LONG_PTR param2) PURE;
};

struct IMediaEventEx : IMediaEvent {
    STDMETHOD(SetNotifyWindow)(OAHWND window, LONG message, LONG_PTR instanceData) PURE;
};

struct IBasicAudio : IUnknown {
    STDMETHOD(put_Volume)(LONG volume) PURE;
    STDMETHOD(get_Volume)(LONG* volume) PURE;
    STDMETHOD(put_Balance)(LONG balance) PURE;
    STDMETHOD(get_Balance)(LONG* balance) PURE;
};
