#include "d3d9/presentation_parameters.h"

#include <algorithm>

#include "d3d9/formats.h"

namespace platform::d3d9 {
namespace {

// The intervals the caps report; TWO to FOUR are not among them.
bool ValidInterval(UINT interval) {
    return interval == D3DPRESENT_INTERVAL_DEFAULT || interval == D3DPRESENT_INTERVAL_ONE ||
           interval == D3DPRESENT_INTERVAL_IMMEDIATE;
}

// The display format a full-screen back buffer runs the monitor in.
D3DFORMAT DisplayFormatFor(D3DFORMAT backBuffer) {
    return backBuffer == D3DFMT_A8R8G8B8 ? D3DFMT_X8R8G8B8 : backBuffer;
}

}  // namespace

HWND DeviceWindow(const D3DPRESENT_PARAMETERS& presentation, HWND focusWindow) {
    return presentation.hDeviceWindow ? presentation.hDeviceWindow : focusWindow;
}

HRESULT CompletePresentParameters(const Adapter& adapter, HWND focusWindow,
                                  D3DPRESENT_PARAMETERS& presentation) {
    D3DPRESENT_PARAMETERS& p = presentation;
    const HWND window = DeviceWindow(p, focusWindow);
    if (!IsWindow(window)) return D3DERR_INVALIDCALL;
    if (p.SwapEffect < D3DSWAPEFFECT_DISCARD || p.SwapEffect > D3DSWAPEFFECT_COPY) return D3DERR_INVALIDCALL;
    if (p.BackBufferCount > 3) return D3DERR_INVALIDCALL;
    if (p.SwapEffect == D3DSWAPEFFECT_COPY && p.BackBufferCount > 1) return D3DERR_INVALIDCALL;
    if (p.MultiSampleType != D3DMULTISAMPLE_NONE) return D3DERR_INVALIDCALL;
    if (!ValidInterval(p.PresentationInterval)) return D3DERR_INVALIDCALL;
    if (p.EnableAutoDepthStencil && !IsDepthStencilFormat(p.AutoDepthStencilFormat)) return D3DERR_INVALIDCALL;

    if (p.Windowed) {
        if (p.FullScreen_RefreshRateInHz != 0) return D3DERR_INVALIDCALL;
        RECT client{};
        GetClientRect(window, &client);
        if (p.BackBufferWidth == 0) p.BackBufferWidth = static_cast<UINT>(std::max<LONG>(1, client.right));
        if (p.BackBufferHeight == 0) p.BackBufferHeight = static_cast<UINT>(std::max<LONG>(1, client.bottom));
        if (p.BackBufferFormat == D3DFMT_UNKNOWN) p.BackBufferFormat = adapter.desktopMode.Format;
        if (!BackBufferFitsDisplay(adapter.desktopMode.Format, p.BackBufferFormat, true)) return D3DERR_INVALIDCALL;
    } else {
        const D3DFORMAT display = DisplayFormatFor(p.BackBufferFormat);
        if (!BackBufferFitsDisplay(display, p.BackBufferFormat, false)) return D3DERR_INVALIDCALL;
        if (!adapter.HasMode(p.BackBufferWidth, p.BackBufferHeight, display)) return D3DERR_INVALIDCALL;
    }
    if (p.BackBufferCount == 0) p.BackBufferCount = 1;
    if (adapter.FailsToCreate(p.BackBufferWidth, p.BackBufferHeight, p.BackBufferFormat)) return D3DERR_NOTAVAILABLE;
    return D3D_OK;
}

}  // namespace platform::d3d9
