// A device on a small window, and moving 32-bit pixels in and out of
// surfaces through the Direct3D API.
#pragma once

#include <vector>

#include "platform/d3d9/d3d9_machine.h"

namespace d3d9_test {

class ResourceTest : public D3D9Test {
protected:
    void SetUp() override;
    void TearDown() override;

    IDirect3DDevice9* device() const { return device_.get(); }
    IDirect3DTexture9* MakeTexture(UINT width, UINT height, UINT levels, DWORD usage, D3DFORMAT format,
                                       D3DPOOL pool);
    // A render-target texture of A8R8G8B8 holding pixels (rows top first),
    // loaded through UpdateSurface from system memory.
    IDirect3DTexture9* MakeTarget(UINT width, UINT height, const std::vector<D3DCOLOR>& pixels);
    // A render target's pixels through GetRenderTargetData.
    std::vector<D3DCOLOR> Read(IDirect3DSurface9* target);
    static IDirect3DSurface9* Level(IDirect3DTexture9* texture, UINT level = 0);
    static void Fill(IDirect3DSurface9* surface, const std::vector<D3DCOLOR>& pixels);

    D3DPRESENT_PARAMETERS presentation_{};

private:
    Com<IDirect3DDevice9> device_;
};

// A render target's pixels through GetRenderTargetData.
std::vector<D3DCOLOR> ReadTarget(IDirect3DDevice9* device, IDirect3DSurface9* target);

}  // namespace d3d9_test
