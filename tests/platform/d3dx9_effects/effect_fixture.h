// A 16 x 16 device with effects made from text, a quad over the whole
// target drawn through an effect's passes, and pixels read back.
#pragma once

#include <string>
#include <string_view>

#include <d3dx9.h>

#include "platform/d3d9/d3d9_machine.h"
#include "platform/d3d9_pipeline/pipeline_fixture.h"

namespace d3d9_test {

// FVF 0x104: target pixels and one coordinate set.
struct ScreenTexturedVertex {
    float x, y, z, rhw;
    float u, v;
};
inline constexpr DWORD kScreenTexturedFvf = D3DFVF_XYZRHW | D3DFVF_TEX1;

class EffectTest : public D3D9Test {
protected:
    static constexpr UINT kSize = 16;

    void SetUp() override;
    void TearDown() override;

    IDirect3DDevice9* device() const { return device_.get(); }
    D3DPRESENT_PARAMETERS& presentation() { return presentation_; }
    // The effect, or a failed assertion with the errors buffer's text.
    ID3DXEffect* Create(std::string_view text);
    // Every pass of the current technique, each drawing the whole target.
    void DrawPasses(ID3DXEffect* effect, DWORD flags = 0);
    void DrawQuad();
    D3DCOLOR Pixel(UINT x, UINT y) { return PixelAt(device_.get(), x, y); }
    // A managed 2 x 2 texture of one colour.
    IDirect3DTexture9* SolidTexture(D3DCOLOR colour);

private:
    Com<IDirect3DDevice9> device_;
    D3DPRESENT_PARAMETERS presentation_{};
};

}  // namespace d3d9_test
