#include "effects/screenfx/waterfall_fx.h"

#include <algorithm>
#include <cmath>

#include "effects/screenfx/fx_params.h"
#include "scene/document/reader_registry.h"
#include "scene/document/record.h"
#include "scene/light/kv_abrender.h"

namespace {

constexpr DWORD kWaterfallVersion = 1;

const RegisterReader<KV_WaterfallFX, KV_ABObj_Constructor> registration(L"KV_WaterfallFX");

} // namespace

KV_WaterfallFX::KV_WaterfallFX() : KV_DirectionBased(0, 0, 0.02f)
{
    SetScaledDefault(directionStrength, 0, 0.004f);
    baseColour.SetValue(0);
}

std::unique_ptr<KV_FX_Constructor> KV_WaterfallFX::Clone() const { return std::make_unique<KV_WaterfallFX>(*this); }

// A noise picture without frames leaves no noise texture.
void KV_WaterfallFX::LoadResources(MaskSlot& slot)
{
    layers.resize(std::min(layerCount.Value(), kMaxLayers));
    if (g_currentDocResManager)
        noiseTexture.Share(g_currentDocResManager->GetImage(noiseLink).CurrentFrame());
    KV_FX_Constructor::LoadResources(slot);
    BuildGrid(2, 2);
    BuildMesh();
}

// The layers are staggered evenly over one unit of phase: each falls one
// step along the direction, fading in over the first half and out over
// the second.
void KV_WaterfallFX::Update(float time)
{
    KV_FX_Constructor::Update(time);
    const float s = directionStrength.Result();
    const float h = layerOpacity.Result();
    const float step = layers.empty() ? 0.0f : 1.0f / static_cast<float>(layers.size());
    float p = speed.Phase();
    for (Layer& layer : layers) {
        const float f = p - std::trunc(p);
        layer = {-s * direction.x * f, -s * direction.y * f, h * (1.0f - std::fabs(2.0f * f - 1.0f))};
        p += step;
    }
    const float S = scale.Result();
    const float drift = speed.Phase() * 0.1f;
    noiseShift = S != 0.0f ? D3DXVECTOR2(-(drift * direction.x) / S, -(drift * direction.y) / S) : D3DXVECTOR2(0, 0);
}

void KV_WaterfallFX::Render(KV_ABRender& renderer)
{
    if (!effect)
        return;
    effect->SetTexture("Mask", maskTexture.Get());
    effect->SetTexture("Background", renderer.GetSceneTexture().Get());
    if (drawDisabled.Value() != 0)
        return;
    if (noiseAmplitude.Value() > 0)
        DrawNoise(renderer);
    if (!layers.empty())
        DrawColorWaves(renderer);
}

void KV_WaterfallFX::DrawNoise(KV_ABRender& renderer)
{
    if (!CanDrawScreenPass(renderer))
        return;
    ID3DXEffect& fx = *effect.Get();
    const float S = scale.Result();
    fx.SetTexture("NoiseMap", noiseTexture.Get());
    fx.SetTechnique("Noise");
    SetFloats(fx, "noise_shift", {noiseShift.x, noiseShift.y});
    SetFloats(fx, "bump_scale", {Aspect(renderer) / S, 1.0f / S});
    fx.SetFloat("noise_amplitude", noiseAmplitude.Result());
    renderer.DrawIndexedPT(gridMesh, effect.Get());
}

// One draw per layer, each blended over the one before.
void KV_WaterfallFX::DrawColorWaves(KV_ABRender& renderer)
{
    ID3DXEffect& fx = *effect.Get();
    fx.SetTechnique("ColorWaves");
    const ColourFloats colour = SplitColour(baseColour.Value());
    SetFloats(fx, "base_color", {colour.red, colour.green, colour.blue});
    fx.SetFloat("treshold", threshold.Result());
    for (const Layer& layer : layers) {
        SetFloats(fx, "shift", {layer.shiftX, layer.shiftY});
        fx.SetFloat("transluency", layer.translucency);
        renderer.DrawIndexedPT(gridMesh, effect.Get());
    }
}

void KV_WaterfallFX::Write(KV_IOF_Virtual& archive) const
{
    WriteRecordFrame(archive, L"KV_WaterfallFX", kWaterfallVersion);
    archive.WriteUInt(&layerOpacity.Value());
    archive.WriteUInt(&layerCount.Value());
    archive.WriteUInt(&noiseAmplitude.Value());
    archive.WriteUInt(&reservedValue.Value());
    archive.WriteUInt(&threshold.Value());
    WriteImageLink(archive, noiseLink);
    archive.WriteDword(&baseColour.Value());
    archive.WriteInt(&drawDisabled.Value());
    KV_DirectionBased::WriteRecord(archive);
}

// The count, the colour and the switch are stored without notification.
void KV_WaterfallFX::Read(KV_IOF_Virtual& archive, DWORD)
{
    ReadScaledValue(archive, layerOpacity);
    archive.ReadUInt(&layerCount.Value());
    ReadScaledValue(archive, noiseAmplitude);
    ReadScaledValue(archive, reservedValue);
    ReadScaledValue(archive, threshold);
    ReadFileLink(archive, noiseLink);
    archive.ReadDword(&baseColour.Value());
    archive.ReadInt(&drawDisabled.Value());
    KV_DirectionBased::ReadRecord(archive, *this);
}
