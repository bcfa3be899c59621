#include "effects/screenfx/bend_fx.h"

#include "effects/screenfx/fx_params.h"
#include "scene/document/reader_registry.h"
#include "scene/document/record.h"
#include "scene/light/kv_abrender.h"

namespace {

constexpr DWORD kBendVersion = 1;

const RegisterReader<KV_BendFX, KV_ABObj_Constructor> registration(L"KV_BendFX");

} // namespace

KV_BendFX::KV_BendFX() : KV_CentralBased(0, 0, 0.02f) {}

std::unique_ptr<KV_FX_Constructor> KV_BendFX::Clone() const { return std::make_unique<KV_BendFX>(*this); }

void KV_BendFX::LoadResources(MaskSlot& slot)
{
    KV_FX_Constructor::LoadResources(slot);
    BuildGrid(2, 2);
    BuildMesh();
}

// Mode 1 lets the swing falter with three octaves of noise.
void KV_BendFX::Update(float time)
{
    KV_FX_Constructor::Update(time);
    const float a = bendForward.Result();
    const float b = bendBack.Result();
    const float phase = speed.Phase();
    bendAngle = Sin(phase) * (a + b) / 2.0f + (a - b) / 2.0f;
    if (bendMode.Value() == 1) {
        const float n = static_cast<float>(NoiseOctaves(static_cast<double>(50.0f * phase), 75.0, 0.5, 3));
        bendAngle *= 1.0f + Sin(n);
    }
}

void KV_BendFX::Render(KV_ABRender& renderer)
{
    D3DXVECTOR2 centreFraction;
    if (!CanDrawScreenPass(renderer) || !CentreInPicture(centreFraction))
        return;
    SetCenter(renderer);
    ID3DXEffect& fx = *effect.Get();
    fx.SetFloat("Angle", Opacity() * bendAngle);
    fx.SetFloat("Bend", bendStrength.Result());
    DrawMeshPass(renderer);
}

void KV_BendFX::Write(KV_IOF_Virtual& archive) const
{
    WriteRecordFrame(archive, L"KV_BendFX", kBendVersion);
    archive.WriteUInt(&bendForward.Value());
    archive.WriteUInt(&bendBack.Value());
    archive.WriteUInt(&bendStrength.Value());
    archive.WriteInt(&bendMode.Value());
    KV_CentralBased::WriteRecord(archive);
}

void KV_BendFX::Read(KV_IOF_Virtual& archive, DWORD)
{
    ReadScaledValue(archive, bendForward);
    ReadScaledValue(archive, bendBack);
    ReadScaledValue(archive, bendStrength);
    archive.ReadInt(&bendMode.Value());
    KV_CentralBased::ReadRecord(archive, *this);
}
