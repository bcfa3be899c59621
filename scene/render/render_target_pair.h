// Two same-sized render-target textures used alternately: one is drawn
// into while the other is read. Default pool: released before a device
// reset and created again afterwards.
#pragma once

#include "scene/render/d3d_helpers.h"

class RenderTargetPair {
public:
    RenderTargetPair() = default;
    RenderTargetPair(const RenderTargetPair&) = delete;
    RenderTargetPair& operator=(const RenderTargetPair&) = delete;

    // Stores the size; with neither side 0, creates both textures.
    void Create(UINT w, UINT h);
    // Create, then the source's top level copied into the current texture.
    void CopyFrom(IDirect3DTexture9* source, UINT w, UINT h);
    // The other texture becomes current, bound as render target 0 and
    // cleared to clear (opaque black unless told); returns the one drawn before.
    const TextureHolder& Flip(D3DCOLOR clear = 0xFF000000);
    // Saves the device's targets here and draws into target's current texture
    // without a depth-stencil surface.
    void Begin(const RenderTargetPair& target);
    // Restores the saved targets.
    void End();
    void Release();

    IDirect3DTexture9* Current() const { return current.Get(); }

    TextureHolder current;
    TextureHolder textures[2];
    SharedCom<IDirect3DSurface9> savedTarget;
    SharedCom<IDirect3DSurface9> savedDepthStencil;
    UINT width = 0;
    UINT height = 0;
    UINT index = 0;
};
