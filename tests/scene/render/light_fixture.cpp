#include "scene/render/light_fixture.h"

#include "scene/model/abobj_constructor.h"
#include "scene/render/current_device.h"

#include <gtest/gtest.h>

namespace render_test {
namespace {

class NoDescription : public KV_ABObj_Constructor {
public:
    std::unique_ptr<KV_ABObj> CreateObject() const override { return nullptr; }
    void Write(KV_IOF_Virtual&) const override {}
};

ScreenQuad Rectangle(const RECT& r)
{
    ScreenQuad quad;
    const float l = static_cast<float>(r.left), t = static_cast<float>(r.top);
    const float rt = static_cast<float>(r.right), b = static_cast<float>(r.bottom);
    quad.corners = {{{l, b, 1, 0, 1}, {l, t, 1, 0, 0}, {rt, b, 1, 1, 1}, {rt, t, 1, 1, 0}}};
    return quad;
}

}  // namespace

SquareObject::SquareObject(const SquareSetup& setup) : KV_ABObj(std::make_unique<NoDescription>()), setup_(setup) {}

void SquareObject::Render(KV_ABRender& renderer)
{
    auto& light = static_cast<KV_2D_Light&>(renderer);
    if (setup_.asksForScene) {
        received = renderer.GetSceneTexture().Get();
        D3DSURFACE_DESC desc{};
        if (received && SUCCEEDED(received->GetLevelDesc(0, &desc)) && (desc.Usage & D3DUSAGE_RENDERTARGET))
            receivedTexels = ReadTexture(g_currentDevice, received);
        TexturedQuad whole;
        whole.SetQuad(received, Rectangle({0, 0, 64, 64}));
        g_currentDevice->SetRenderState(D3DRS_ALPHABLENDENABLE, FALSE);
        g_currentDevice->SetTexture(0, received);
        SetScreenMeshStream(whole);
        g_currentDevice->DrawPrimitive(D3DPT_TRIANGLESTRIP, 0, 2);
    }
    if (!setup_.draws)
        return;
    KV_SimpleMesh square;
    square.CreateQuadRHWC();
    square.SetQuadRHWC(setup_.colour, Rectangle(setup_.square));
    light.DrawOverlay(&square);
}

void LightTest::SetUp()
{
    RenderTest::SetUp();
    g_currentRenderContext = &context;
    ASSERT_EQ(device()->GetBackBuffer(0, 0, D3DBACKBUFFER_TYPE_MONO, backBuffer_.out()), D3D_OK);
}

void LightTest::TearDown()
{
    objects.clear();
    light.InvalidateDeviceObjects();
    lightHolder.reset();
    context = ViewContext();
    g_currentRenderContext = nullptr;
    g_renderTargetSizeStack.clear();
    backBuffer_.Reset();
    RenderTest::TearDown();
}

void LightTest::ShowPicture(UINT w, UINT h, const std::vector<D3DCOLOR>& texels)
{
    TextureRecord record(MakeTexture(w, h, texels), w, h, static_cast<float>(h) / static_cast<float>(w));
    light.m_pictureQuad.SetPicture(record);
    light.RestoreDeviceObjects();
    light.Resize(64, 64);
}

SquareObject* LightTest::Add(const SquareSetup& setup)
{
    auto* object = new SquareObject(setup);
    objects.emplace_back(object);
    return object;
}

void LightTest::DrawFrame(int readers)
{
    ASSERT_EQ(device()->BeginScene(), D3D_OK);
    if (readers > 0)
        light.BeginSceneCapture();
    light.RenderBackground(0);
    light.RenderObjects(objects, readers);
    light.DrawBorders(0);
    device()->EndScene();
}

IDirect3DSurface9* LightTest::BackBuffer() { return backBuffer_.get(); }

HRESULT LightTest::ResetDevice()
{
    light.InvalidateDeviceObjects();
    backBuffer_.Reset();
    D3DPRESENT_PARAMETERS parameters = presentation();
    const HRESULT result = device()->Reset(&parameters);
    device()->GetBackBuffer(0, 0, D3DBACKBUFFER_TYPE_MONO, backBuffer_.out());
    light.RestoreDeviceObjects();
    light.Resize(64, 64);
    return result;
}

D3DCOLOR TexelAt(const std::vector<D3DCOLOR>& texels, UINT x, UINT y)
{
    return texels.empty() ? 0xDEADBEEF : texels[y * 64 + x] & 0xFFFFFF;
}

}  // namespace render_test
