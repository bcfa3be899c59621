// A device on the simulated machine for the D3DX calls, and reading
// surfaces and texture levels back.
#pragma once

#include "platform/d3d9/d3d9_machine.h"

#include <d3dx9.h>

namespace d3d9_test {

class D3DXDeviceTest : public D3D9Test {
protected:
    void SetUp() override;
    void TearDown() override;

    IDirect3DDevice9* device() const { return device_.get(); }
    // A system-memory surface.
    IDirect3DSurface9* Plain(UINT width, UINT height, D3DFORMAT format = D3DFMT_A8R8G8B8);

    // Every pixel of a 32-bit surface, rows top first.
    static std::vector<D3DCOLOR> Pixels(IDirect3DSurface9* surface);
    // The bytes of one texel of a texture level, or of the whole level of
    // a block-compressed one.
    static std::vector<BYTE> TexelBytes(IDirect3DTexture9* texture, UINT level, UINT x, UINT y);

private:
    Com<IDirect3DDevice9> device_;
};

}  // namespace d3d9_test
