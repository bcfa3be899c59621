// A device on a small back buffer, vertex layouts the tests draw with, and
// pixels read back through the Direct3D API.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/d3d9/d3d9_machine.h"

namespace d3d9_test {

// FVF 0x44 and 0xC4: target pixels, diffuse (and specular).
struct ScreenVertex {
    float x, y, z, rhw;
    D3DCOLOR diffuse;
};
struct ScreenSpecularVertex {
    float x, y, z, rhw;
    D3DCOLOR diffuse, specular;
};
inline constexpr DWORD kScreenFvf = D3DFVF_XYZRHW | D3DFVF_DIFFUSE;
inline constexpr DWORD kScreenSpecularFvf = D3DFVF_XYZRHW | D3DFVF_DIFFUSE | D3DFVF_SPECULAR;

class PipelineTest : public D3D9Test {
protected:
    static constexpr UINT kSize = 16;

    explicit PipelineTest(UINT width = kSize, UINT height = kSize) : width_(width), height_(height) {}

    void SetUp() override;
    void TearDown() override;

    IDirect3DDevice9* device() const { return device_.get(); }
    // A rectangle in target pixels as a strip, one colour, at depth z.
    void DrawRect(float left, float top, float right, float bottom, D3DCOLOR colour, float z = 0.f);
    // The back buffer, 0x00RRGGBB, rows top first.
    std::vector<D3DCOLOR> Pixels();
    D3DCOLOR Pixel(UINT x, UINT y) { return Pixels().at(y * width_ + x); }
    // A render target's pixels, 0x00RRGGBB, rows top first.
    std::vector<D3DCOLOR> TargetPixels(IDirect3DSurface9* target);
    // Two triangles side by side: the left clockwise on the screen, the
    // right counter-clockwise, white.
    void DrawWindings();

private:
    UINT width_, height_;
    Com<IDirect3DDevice9> device_;
};

// Each channel of two colours within tolerance.
testing::AssertionResult ColoursNear(D3DCOLOR actual, D3DCOLOR expected, int tolerance = 1);

D3DMATRIX Identity();
float Bits(DWORD value);
DWORD FloatBits(float value);

}  // namespace d3d9_test
