// The vertex layouts all drawing uses, with their flexible-vertex-format
// codes. The diffuse colour is ARGB with alpha in the top byte.
#pragma once

#include <windows.h>

#include <d3d9.h>

namespace DX_V {

struct PT {
    static constexpr DWORD FVF = D3DFVF_XYZ | D3DFVF_TEX1;
    float x, y, z;
    float u, v;
};

struct PC {
    static constexpr DWORD FVF = D3DFVF_XYZ | D3DFVF_DIFFUSE;
    float x, y, z;
    D3DCOLOR diffuse;
};

struct PCT {
    static constexpr DWORD FVF = D3DFVF_XYZ | D3DFVF_DIFFUSE | D3DFVF_TEX1;
    float x, y, z;
    D3DCOLOR diffuse;
    float u, v;
};

struct PNT {
    static constexpr DWORD FVF = D3DFVF_XYZ | D3DFVF_NORMAL | D3DFVF_TEX1;
    float x, y, z;
    float nx, ny, nz;
    float u, v;
};

// Pre-transformed: x and y in target pixels.
struct RHWC {
    static constexpr DWORD FVF = D3DFVF_XYZRHW | D3DFVF_DIFFUSE;
    float x, y, z, rhw;
    D3DCOLOR diffuse;
};

struct RHWCT {
    static constexpr DWORD FVF = D3DFVF_XYZRHW | D3DFVF_DIFFUSE | D3DFVF_TEX1;
    float x, y, z, rhw;
    D3DCOLOR diffuse;
    float u, v;
};

static_assert(sizeof(PT) == 20 && sizeof(PC) == 16 && sizeof(PCT) == 24 && sizeof(PNT) == 32 &&
              sizeof(RHWC) == 20 && sizeof(RHWCT) == 28);

}  // namespace DX_V
