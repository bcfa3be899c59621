// A background layer on a 64 x 64 back buffer with its rendering context,
// and scene objects that draw a coloured square and may read the scene.
#pragma once

#include <memory>
#include <vector>

#include "scene/light/kv_2d_light.h"
#include "scene/model/abobj.h"
#include "scene/render/render_fixture.h"
#include "scene/render/view_context.h"

namespace render_test {

// Exposes what the tests set up and inspect.
class TestLight : public KV_2D_Light {
public:
    using KV_2D_Light::m_pictureQuad;
    using KV_2D_Light::m_targetHeight;
    using KV_2D_Light::m_targetWidth;
};

struct SquareSetup {
    D3DCOLOR colour;  // 0xAARRGGBB
    RECT square;
    bool readsScene = false;
    // A reader that asks for the scene draws it over the whole target first.
    bool asksForScene = false;
    bool draws = true;
};

class SquareObject : public KV_ABObj {
public:
    explicit SquareObject(const SquareSetup& setup);

    void Render(KV_ABRender& renderer) override;
    void Signal(int, int) override {}
    void UpdateLayout() override {}
    bool ReadsScene() const override { return setup_.readsScene; }
    void Update(float) override {}

    // The scene texture handed over, read back when it was a render target.
    IDirect3DTexture9* received = nullptr;
    std::vector<D3DCOLOR> receivedTexels;

private:
    SquareSetup setup_;
};

class LightTest : public RenderTest {
protected:
    LightTest() : RenderTest(64, 64) {}
    void SetUp() override;
    void TearDown() override;

    // The picture as the slide's background, laid out for the back buffer.
    void ShowPicture(UINT w, UINT h, const std::vector<D3DCOLOR>& texels);
    SquareObject* Add(const SquareSetup& setup);
    // One frame as the slide show draws it: capture when anything reads
    // the scene, background, objects, borders.
    void DrawFrame(int readers);
    IDirect3DSurface9* BackBuffer();
    // The device reset as the host resets it, the light's objects released
    // before and restored after.
    HRESULT ResetDevice();

    ViewContext context;
    // Let go before the device, with every device object it holds.
    std::unique_ptr<TestLight> lightHolder = std::make_unique<TestLight>();
    TestLight& light = *lightHolder;
    std::vector<CountedRef<KV_ABObj>> objects;

private:
    d3d9_test::Com<IDirect3DSurface9> backBuffer_;
};

// Texel (x, y) of 64 x 64 texels, 0x00RRGGBB.
D3DCOLOR TexelAt(const std::vector<D3DCOLOR>& texels, UINT x, UINT y);

}  // namespace render_test
