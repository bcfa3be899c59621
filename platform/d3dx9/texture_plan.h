// The texture D3DX creates on a given device: texture_requirements.h
// applied to the device's caps and format checks.
#pragma once

#include <d3dx9tex.h>

namespace platform::d3dx9 {

struct TexturePlan {
    UINT width;
    UINT height;
    UINT levels;
    D3DFORMAT format;
};

// picture is null when no picture gives the defaults. D3DERR_NOTAVAILABLE
// when the device takes no fitting format.
HRESULT PlanTexture(IDirect3DDevice9* device, UINT width, UINT height, UINT levels, DWORD usage, D3DFORMAT format,
                    const D3DXIMAGE_INFO* picture, TexturePlan& plan);

}  // namespace platform::d3dx9
