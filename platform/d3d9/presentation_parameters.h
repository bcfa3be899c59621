// Checks D3DPRESENT_PARAMETERS as CreateDevice and Reset do, and fills in
// what Direct3D fills in: the window's client size for 0 x 0 in a window,
// the desktop format for D3DFMT_UNKNOWN, one back buffer for 0.
#pragma once

#include <d3d9.h>

#include "d3d9/adapters.h"

namespace platform::d3d9 {

HRESULT CompletePresentParameters(const Adapter& adapter, HWND focusWindow,
                                  D3DPRESENT_PARAMETERS& presentation);

// The window the device presents to.
HWND DeviceWindow(const D3DPRESENT_PARAMETERS& presentation, HWND focusWindow);

}  // namespace platform::d3d9
