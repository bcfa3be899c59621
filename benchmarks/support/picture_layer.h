// The slide's background layer for the benchmarks that draw objects over
// a picture, and the pictures they draw with.
#pragma once

#include <d3d9.h>

#include "scene/light/kv_2d_light.h"
#include "scene/render/current_device.h"

// The layer with a picture as large as the back buffer.
class PictureLight : public KV_2D_Light {
public:
    void Show(IDirect3DTexture9* picture, UINT width, UINT height)
    {
        m_pictureQuad.SetPicture(TextureRecord(picture, width, height, float(height) / float(width)));
        RestoreDeviceObjects();
        Resize(static_cast<int>(width), static_cast<int>(height));
    }
};

// A managed texture of the colour with a faint pattern over it.
inline IDirect3DTexture9* MakePatternTexture(UINT w, UINT h, D3DCOLOR colour)
{
    IDirect3DTexture9* texture = nullptr;
    g_currentDevice->CreateTexture(w, h, 1, 0, D3DFMT_A8R8G8B8, D3DPOOL_MANAGED, &texture, nullptr);
    D3DLOCKED_RECT locked{};
    texture->LockRect(0, &locked, nullptr, 0);
    for (UINT y = 0; y < h; ++y)
        for (UINT x = 0; x < w; ++x)
            static_cast<D3DCOLOR*>(static_cast<void*>(static_cast<BYTE*>(locked.pBits) + y * locked.Pitch))[x] =
                colour ^ ((x ^ y) & 0x1F);
    texture->UnlockRect(0);
    return texture;
}
