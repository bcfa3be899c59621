// A device made current for the scene's drawing code, with pixels read back
// through the Direct3D API.
#pragma once

#include <cstdint>
#include <vector>

#include <d3dx9.h>

#include "platform/d3d9/d3d9_machine.h"
#include "scene/render/textured_indexed_quad.h"
#include "scene/render/vertex_formats.h"

namespace render_test {

class RenderTest : public d3d9_test::D3D9Test {
protected:
    RenderTest(UINT width, UINT height) : width_(width), height_(height) {}

    void SetUp() override;
    void TearDown() override;

    IDirect3DDevice9* device() const { return device_.get(); }
    D3DPRESENT_PARAMETERS presentation() const { return presentation_; }
    // The back buffer, 0x00RRGGBB, rows top first.
    D3DCOLOR Pixel(UINT x, UINT y);
    // A managed A8R8G8B8 texture of w x h texels from rows top first; the
    // test holds it until its end.
    IDirect3DTexture9* MakeTexture(UINT w, UINT h, const std::vector<D3DCOLOR>& texels);

    UINT width_, height_;

private:
    std::vector<IDirect3DTexture9*> textures_;
    d3d9_test::Com<IDirect3DDevice9> device_;
    D3DPRESENT_PARAMETERS presentation_{};
};

// 64 x 64 texels in quadrants: red and green above, blue and white below.
std::vector<D3DCOLOR> QuadrantTexels();

// Level 0 of a render-target texture, 0xAARRGGBB, rows top first.
std::vector<D3DCOLOR> ReadTexture(IDirect3DDevice9* device, IDirect3DTexture9* texture);

// The quad's buffers filled with these corners (bottom-left, top-left,
// bottom-right, top-right) as two triangles of a list.
void FillQuad(TexturedIndexedQuad& quad, const DX_V::PT (&corners)[4]);

// A point of picture space through the device's world transform.
D3DXVECTOR2 ThroughWorld(IDirect3DDevice9* device, float x, float y);

}  // namespace render_test
