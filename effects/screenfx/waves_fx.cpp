#include "effects/screenfx/waves_fx.h"

#include "effects/screenfx/fx_params.h"
#include "scene/document/reader_registry.h"
#include "scene/document/record.h"
#include "scene/light/kv_abrender.h"

namespace {

constexpr DWORD kWavesVersion = 1;

const RegisterReader<KV_WavesFX, KV_ABObj_Constructor> registration(L"KV_WavesFX");

} // namespace

KV_WavesFX::KV_WavesFX() : KV_FX_Constructor(77, 25) { BindVectors(); }

KV_WavesFX::KV_WavesFX(const KV_WavesFX& other)
    : KV_FX_Constructor(other), waveAmplitude(other.waveAmplitude), waveLength(other.waveLength),
      waveAngle(other.waveAngle), waveCrossFlag(other.waveCrossFlag)
{
    BindVectors();
}

void KV_WavesFX::BindVectors()
{
    m_controls.SetOwner(this);
    BindCallback(m_controls, this, waveAngle, &KV_WavesFX::UpdateVectors);
    BindCallback(m_controls, this, waveCrossFlag, &KV_WavesFX::UpdateVectors);
    UpdateVectors();
}

std::unique_ptr<KV_FX_Constructor> KV_WavesFX::Clone() const { return std::make_unique<KV_WavesFX>(*this); }

void KV_WavesFX::UpdateVectors()
{
    const float angle = ClockwiseRadians(waveAngle.Value());
    const D3DXVECTOR4 across = waveCrossFlag.Value() == 0 ? D3DXVECTOR4(0, 1, 0, 0) : D3DXVECTOR4(-1, 0, 0, 0);
    waveDirection = TurnedAboutZ(D3DXVECTOR4(1, 0, 0, 0), angle);
    waveNormal = TurnedAboutZ(across, angle);
}

void KV_WavesFX::Render(KV_ABRender& renderer)
{
    if (!CanDrawScreenPass(renderer))
        return;
    ID3DXEffect& fx = *effect.Get();
    SetFloats(fx, "direction", {-waveDirection.x, -waveDirection.y});
    SetFloats(fx, "direction_n", {waveNormal.x, waveNormal.y});
    fx.SetFloat("frequency", 1.0f / waveLength.Result());
    fx.SetFloat("amplitude", waveAmplitude.Result() * Opacity());
    fx.SetFloat("time", speed.Phase() * 0.08f);
    DrawScreenPass(renderer);
}

void KV_WavesFX::Write(KV_IOF_Virtual& archive) const
{
    WriteRecordFrame(archive, L"KV_WavesFX", kWavesVersion);
    archive.WriteUInt(&waveAmplitude.Value());
    archive.WriteUInt(&waveLength.Value());
    archive.WriteUInt(&waveAngle.Value());
    archive.WriteInt(&waveCrossFlag.Value());
    KV_FX_Constructor::WriteRecord(archive);
}

// The angle and the flag are stored without notification: the clone made
// for the runtime object derives the vectors.
void KV_WavesFX::Read(KV_IOF_Virtual& archive, DWORD)
{
    ReadScaledValue(archive, waveAmplitude);
    ReadScaledValue(archive, waveLength);
    archive.ReadUInt(&waveAngle.Value());
    archive.ReadInt(&waveCrossFlag.Value());
    KV_FX_Constructor::ReadRecord(archive, *this);
}
