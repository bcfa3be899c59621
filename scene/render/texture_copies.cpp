// Texture copies through D3DX, apart from the other helpers so that code
// which only reads documents needs no D3DX texture functions.
#include <d3dx9.h>

#include "scene/render/current_device.h"
#include "scene/render/d3d_helpers.h"

void CreateTextureCopy(UINT width, UINT height, IDirect3DTexture9* source, D3DFORMAT format, TextureHolder& holder)
{
    IDirect3DTexture9** out = holder.Receive();
    if (!g_currentDevice || FAILED(D3DXCreateTexture(g_currentDevice, width, height, D3DX_DEFAULT, 0, format,
                                                     D3DPOOL_MANAGED, out)))
        return;
    if (!source)
        return;
    SharedCom<IDirect3DSurface9> from, to;
    if (SUCCEEDED(source->GetSurfaceLevel(0, from.Receive())) && SUCCEEDED(holder->GetSurfaceLevel(0, to.Receive())))
        D3DXLoadSurfaceFromSurface(to.Get(), nullptr, nullptr, from.Get(), nullptr, nullptr, D3DX_FILTER_TRIANGLE, 0);
}

void CreateSquareTextureCopy(UINT n, TextureHolder& holder, IDirect3DTexture9* source)
{
    const UINT side = 128u << n;
    CreateTextureCopy(side, side, source, D3DFMT_UNKNOWN, holder);
}
