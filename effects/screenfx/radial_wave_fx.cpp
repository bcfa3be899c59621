#include "effects/screenfx/radial_wave_fx.h"

#include "effects/screenfx/fx_params.h"
#include "scene/document/reader_registry.h"
#include "scene/document/record.h"
#include "scene/light/kv_abrender.h"

namespace {

constexpr DWORD kRadialWaveVersion = 2;

const RegisterReader<KV_RadialWaveFX, KV_ABObj_Constructor> registration(L"KV_RadialWaveFX");

} // namespace

KV_RadialWaveFX::KV_RadialWaveFX() : KV_CentralBased(103, 50, 1.0f) {}

std::unique_ptr<KV_FX_Constructor> KV_RadialWaveFX::Clone() const
{
    return std::make_unique<KV_RadialWaveFX>(*this);
}

// "bg_scale_factor" makes the rings round on the picture, at the zoom.
void KV_RadialWaveFX::Render(KV_ABRender& renderer)
{
    const double zoom = ringZoom.Result();
    D3DXVECTOR2 centreFraction;
    if (!CanDrawScreenPass(renderer) || zoom == 0.0 || !CentreInPicture(centreFraction))
        return;
    ID3DXEffect& fx = *effect.Get();
    const double w = renderer.GetPictureWidth(), h = renderer.GetPictureHeight();
    SetFloats(fx, "bg_scale_factor", {1.0f, static_cast<float>(75.0 * h / (zoom * w))});
    SetCentreParam("center", centreFraction);
    fx.SetFloat("frequency", 1.0f / ringLength.Result());
    fx.SetFloat("amplitude", ringAmplitude.Result() * Opacity());
    const float time = speed.Phase() * 0.08f;
    fx.SetFloat("time", ringDirectionFlag.Value() != 0 ? time : -time);
    DrawScreenPass(renderer);
}

void KV_RadialWaveFX::Write(KV_IOF_Virtual& archive) const
{
    WriteRecordFrame(archive, L"KV_RadialWaveFX", kRadialWaveVersion);
    archive.WriteUInt(&ringAmplitude.Value());
    archive.WriteUInt(&ringLength.Value());
    archive.WriteUInt(&ringZoom.Value());
    archive.WriteInt(&ringDirectionFlag.Value());
    KV_CentralBased::WriteRecord(archive);
}

void KV_RadialWaveFX::ReadFields(KV_IOF_Virtual& archive, DWORD version)
{
    if (version >= 2) {
        ReadScaledValue(archive, ringAmplitude);
        ReadScaledValue(archive, ringLength);
        ReadScaledValue(archive, ringZoom);
        archive.ReadInt(&ringDirectionFlag.Value());
    }
    KV_CentralBased::ReadRecord(archive, *this);
}
