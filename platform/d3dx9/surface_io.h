// Pixels in and out of Direct3D surfaces the way D3DX moves them: locked
// where the surface allows it, through system memory where it does not
// (render targets and other default-pool surfaces).
#pragma once

#include "d3dx9/image.h"

#include <d3d9.h>

namespace platform::d3dx9 {

// The surface's whole area, or D3DERR_INVALIDCALL for a rectangle outside it.
HRESULT SurfaceArea(IDirect3DSurface9* surface, const RECT* rect, RECT& area, D3DSURFACE_DESC& desc);

HRESULT ReadSurface(IDirect3DSurface9* surface, const RECT& area, Pixels& pixels);
// pixels has the size of area.
HRESULT WriteSurface(IDirect3DSurface9* surface, const RECT& area, const Pixels& pixels);

}  // namespace platform::d3dx9
