#include "effects/screenfx/light_fx_ii.h"

#include <array>

#include "effects/screenfx/fx_params.h"
#include "scene/document/reader_registry.h"
#include "scene/document/record.h"
#include "scene/light/kv_abrender.h"
#include "scene/light/picture_quad.h"

namespace {

constexpr DWORD kLightIIVersion = 1;

const RegisterReader<KV_LightFX_II, KV_ABObj_Constructor> registration(L"KV_LightFX_II");

constexpr std::array<const char*, 4> kBlendTechniques = {"Blend_Normal", "Blend_Screen", "PS_ColorDodge",
                                                          "Blend_Sum"};

} // namespace

KV_LightFX_II::KV_LightFX_II() : KV_FX_Constructor(76, 0) { blendColour.SetValue(0); }

std::unique_ptr<KV_FX_Constructor> KV_LightFX_II::Clone() const { return std::make_unique<KV_LightFX_II>(*this); }

// The effect is shared with the other light kind: a mode without a
// technique of its own would draw with that one's technique and values,
// so it draws nothing. The blend techniques serve readers and non-readers
// alike, told apart by "Opaque".
void KV_LightFX_II::Render(KV_ABRender& renderer)
{
    const int mode = blendMode.Value();
    if (!effect || mode < 0 || mode >= static_cast<int>(kBlendTechniques.size()))
        return;
    const float phase = speed.Phase();
    float k = 1.0f;
    switch (pulseMode.Value()) {
    case 1:
        k = Pulse(phase);
        break;
    case 2:
        k = Pulse(phase) > 0.5f ? 1.0f : 0.0f;
        break;
    case 3:
        k = Flicker(phase);
        break;
    default:
        break;
    }
    k *= Opacity();
    ID3DXEffect& fx = *effect.Get();
    const ColourFloats colour = SplitColour(blendColour.Value());
    SetFloats(fx, "BlendColor", {colour.red, colour.green, colour.blue, blendStrength.Result() * k});
    fx.SetTexture("Texture2", maskTexture.Get());
    fx.SetTexture("Texture1", renderer.GetSceneTexture().Get());
    fx.SetFloat("Opaque", usesBackground.Value() != 0 ? 1.0f : 0.0f);
    fx.SetTechnique(kBlendTechniques[static_cast<size_t>(mode)]);
    renderer.DrawPT(renderer.GetPictureQuad(), effect.Get());
}

void KV_LightFX_II::Write(KV_IOF_Virtual& archive) const
{
    WriteRecordFrame(archive, L"KV_LightFX_II", kLightIIVersion);
    archive.WriteUInt(&blendStrength.Value());
    archive.WriteInt(&pulseMode.Value());
    archive.WriteInt(&blendMode.Value());
    archive.WriteDword(&blendColour.Value());
    KV_FX_Constructor::WriteRecord(archive);
}

void KV_LightFX_II::Read(KV_IOF_Virtual& archive, DWORD)
{
    ReadScaledValue(archive, blendStrength);
    archive.ReadInt(&pulseMode.Value());
    archive.ReadInt(&blendMode.Value());
    archive.ReadDword(&blendColour.Value());
    KV_FX_Constructor::ReadRecord(archive, *this);
}
