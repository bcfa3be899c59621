#include "effects/screenfx/light_fx.h"

#include "effects/screenfx/fx_params.h"
#include "scene/document/reader_registry.h"
#include "scene/document/record.h"
#include "scene/light/kv_abrender.h"

namespace {

constexpr DWORD kLightVersion = 1;

const RegisterReader<KV_LightFX, KV_ABObj_Constructor> registration(L"KV_LightFX");

} // namespace

KV_LightFX::KV_LightFX() : KV_FX_Constructor(76, 40) {}

std::unique_ptr<KV_FX_Constructor> KV_LightFX::Clone() const { return std::make_unique<KV_LightFX>(*this); }

void KV_LightFX::Render(KV_ABRender& renderer)
{
    if (!CanDrawScreenPass(renderer))
        return;
    const float s = Pulse(speed.Phase());
    float k = s;
    if (lightMode.Value() == 1)
        k = s > 0.5f ? 1.0f : 0.0f;
    else if (lightMode.Value() >= 2)
        k = Flicker(speed.Phase());
    effect->SetFloat("multiplier", lightStrength.Result() * k * Opacity());
    DrawScreenPass(renderer);
}

void KV_LightFX::Write(KV_IOF_Virtual& archive) const
{
    WriteRecordFrame(archive, L"KV_LightFX", kLightVersion);
    archive.WriteUInt(&lightStrength.Value());
    archive.WriteInt(&lightMode.Value());
    KV_FX_Constructor::WriteRecord(archive);
}

void KV_LightFX::Read(KV_IOF_Virtual& archive, DWORD)
{
    ReadScaledValue(archive, lightStrength);
    archive.ReadInt(&lightMode.Value());
    KV_FX_Constructor::ReadRecord(archive, *this);
}
