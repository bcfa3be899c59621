#include "effects/lights/bump_distortion_pass.h"

#include "effects/screenfx/fx_constructor.h"
#include "effects/screenfx/fx_params.h"
#include "scene/light/kv_abrender.h"
#include "scene/render/current_device.h"
#include "scene/resources/kv_docresmanager.h"

namespace {

// Corners bottom-left, top-left, bottom-right, top-right of a w x h picture.
std::array<float, 12> PictureCorners(float w, float h) { return {0, h, 0, 0, 0, 0, w, h, 0, w, 0, 0}; }

} // namespace

BumpDistortionPass::BumpDistortionPass()
    : bumpMapLink(KV_FileLink3::FromResource(62, kCommonModule)),
      effectLink(KV_FileLink3::FromResource(63, kCommonModule))
{
}

// A bump picture without frames leaves no bump texture; the pass draws
// undistorted then.
bool BumpDistortionPass::Load()
{
    ScreenQuad corners;
    corners.corners = {{{0, 600, 0, 0, 1}, {0, 0, 0, 0, 0}, {800, 600, 0, 1, 1}, {800, 0, 0, 1, 0}}};
    quad.WriteQuadPT(corners);
    if (g_currentDocResManager) {
        bumpTexture.Share(g_currentDocResManager->GetImage(bumpMapLink).CurrentFrame());
        effect.Reset(g_currentDocResManager->GetEffect(effectLink));
    }
    return static_cast<bool>(effect);
}

void BumpDistortionPass::SetSize(UINT width, UINT height)
{
    const float w = static_cast<float>(width), h = static_cast<float>(height);
    quad.SetPositionsPT(PictureCorners(w, h));
    aspect = width > 0 && height > 0 ? h / w : 1.0f;
}

void BumpDistortionPass::Update(float time)
{
    if (!effect)
        return;
    speed.Advance(time);
    ID3DXEffect& fx = *effect.Get();
    fx.SetFloat("stenght", strength.Result() * 0.05f);
    const float phase = speed.Phase();
    SetFloats(fx, "Offset", {phase, -phase});
    const float s = bumpScale.Result();
    SetFloats(fx, "bump_scale", {s, s * aspect});
}

// The pass has no vertex stage: the quad goes through the device's
// transforms.
void BumpDistortionPass::Draw(IDirect3DTexture9* sceneTexture)
{
    if (!effect)
        return;
    ID3DXEffect& fx = *effect.Get();
    fx.SetTexture("SceneTex", sceneTexture);
    fx.SetTexture("Bumpmap", bumpTexture.Get());
    fx.SetTechnique("BumpmapDistortLow2");
    RunEffectPasses(effect.Get(), [&] {
        quad.SetStream(DX_V::PT::FVF, sizeof(DX_V::PT));
        g_currentDevice->DrawPrimitive(quad.primitiveType, 0, quad.primitiveCount);
    });
}
