#include "effects/screenfx/expand_fx.h"

#include <cmath>

#include "effects/screenfx/fx_params.h"
#include "scene/document/reader_registry.h"
#include "scene/document/record.h"
#include "scene/light/kv_abrender.h"

namespace {

constexpr DWORD kExpandVersion = 1;

const RegisterReader<KV_ExpandFX, KV_ABObj_Constructor> registration(L"KV_ExpandFX");

// Between -1 and 1 with a period of 2 pi phase units: a triangle wave in
// mode 0, a sine otherwise.
float Swing(int mode, float phase)
{
    if (mode != 0)
        return Sin(phase);
    const float u = phase / 6.2831855f;
    const float f = u - std::floor(u);
    const float t = f <= 0.5f ? f : 1.0f - f;
    return (t - 0.25f) * 4.0f;
}

} // namespace

KV_ExpandFX::KV_ExpandFX() : KV_CentralBased(102, 50, 0.02f) {}

std::unique_ptr<KV_FX_Constructor> KV_ExpandFX::Clone() const { return std::make_unique<KV_ExpandFX>(*this); }

// Between -contract and expand at full opacity.
void KV_ExpandFX::Update(float time)
{
    KV_FX_Constructor::Update(time);
    const float a = expandAmount.Result();
    const float b = contractAmount.Result();
    const float c = Swing(expandMode.Value(), speed.Phase());
    expandValue = (c * (a + b) / 2.0f + (a - b) / 2.0f) * Opacity();
}

void KV_ExpandFX::Render(KV_ABRender& renderer)
{
    D3DXVECTOR2 centreFraction;
    if (!CanDrawScreenPass(renderer) || !CentreInPicture(centreFraction))
        return;
    if (expandValue > 0.0f)
        SetFloats(*effect.Get(), "amplitude", {expandValue, 0.0f});
    else
        SetFloats(*effect.Get(), "amplitude", {0.0f, std::fabs(expandValue)});
    SetCentreParam("center", centreFraction);
    DrawScreenPass(renderer);
}

void KV_ExpandFX::Write(KV_IOF_Virtual& archive) const
{
    WriteRecordFrame(archive, L"KV_ExpandFX", kExpandVersion);
    archive.WriteUInt(&expandAmount.Value());
    archive.WriteUInt(&contractAmount.Value());
    archive.WriteInt(&expandMode.Value());
    KV_CentralBased::WriteRecord(archive);
}

void KV_ExpandFX::Read(KV_IOF_Virtual& archive, DWORD)
{
    ReadScaledValue(archive, expandAmount);
    ReadScaledValue(archive, contractAmount);
    archive.ReadInt(&expandMode.Value());
    KV_CentralBased::ReadRecord(archive, *this);
}
