#include "effects/screenfx/underwater_fx.h"

#include "effects/screenfx/fx_params.h"
#include "scene/document/record.h"
#include "scene/light/kv_abrender.h"

namespace {

constexpr DWORD kUnderwaterVersion = 1;

} // namespace

KV_UnderwaterFX::KV_UnderwaterFX() : KV_FX_Constructor(88, 25) {}

std::unique_ptr<KV_FX_Constructor> KV_UnderwaterFX::Clone() const
{
    return std::make_unique<KV_UnderwaterFX>(*this);
}

void KV_UnderwaterFX::Render(KV_ABRender& renderer)
{
    if (!CanDrawScreenPass(renderer))
        return;
    const float f = 1.0f / wobbleLength.Result();
    ID3DXEffect& fx = *effect.Get();
    SetFloats(fx, "frequency", {f * Aspect(renderer), f});
    fx.SetFloat("amplitude", wobbleAmplitude.Result());
    fx.SetFloat("time", speed.Phase() * 0.08f);
    DrawScreenPass(renderer);
}

void KV_UnderwaterFX::Write(KV_IOF_Virtual& archive) const
{
    WriteRecordFrame(archive, L"KV_UnderwaterFX", kUnderwaterVersion);
    archive.WriteUInt(&wobbleAmplitude.Value());
    archive.WriteUInt(&wobbleLength.Value());
    KV_FX_Constructor::WriteRecord(archive);
}

std::unique_ptr<KV_UnderwaterFX> KV_UnderwaterFX::ReadNew(KV_IOF_Virtual& archive)
{
    ReadRecordVersion(archive);
    auto description = std::make_unique<KV_UnderwaterFX>();
    description->ReadFields(archive);
    return description;
}

void KV_UnderwaterFX::ReadFields(KV_IOF_Virtual& archive)
{
    ReadScaledValue(archive, wobbleAmplitude);
    ReadScaledValue(archive, wobbleLength);
    KV_FX_Constructor::ReadRecord(archive, *this);
}
