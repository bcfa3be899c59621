// The pixel a benchmark's frame left in the back buffer, read through the
// Direct3D API, so that a benchmark can check that what it timed was drawn.
#pragma once

#include <d3d9.h>

// 0x00RRGGBB.
inline D3DCOLOR BackBufferPixel(IDirect3DDevice9* device, UINT x, UINT y)
{
    IDirect3DSurface9* backBuffer = nullptr;
    IDirect3DSurface9* copy = nullptr;
    device->GetBackBuffer(0, 0, D3DBACKBUFFER_TYPE_MONO, &backBuffer);
    D3DSURFACE_DESC desc{};
    backBuffer->GetDesc(&desc);
    device->CreateOffscreenPlainSurface(desc.Width, desc.Height, D3DFMT_X8R8G8B8, D3DPOOL_SYSTEMMEM, &copy, nullptr);
    device->GetRenderTargetData(backBuffer, copy);
    D3DLOCKED_RECT locked{};
    copy->LockRect(&locked, nullptr, D3DLOCK_READONLY);
    const D3DCOLOR pixel = reinterpret_cast<const D3DCOLOR*>(static_cast<const BYTE*>(locked.pBits) + y * locked.Pitch)[x];
    copy->UnlockRect();
    copy->Release();
    backBuffer->Release();
    return pixel & 0xFFFFFF;
}
