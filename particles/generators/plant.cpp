#include "particles/generators/plant.h"

#include "particles/generators/particles_obj.h"
#include "particles/generators/record_fields.h"
#include "scene/document/reader_registry.h"
#include "scene/document/record.h"
#include "scene/light/kv_abrender.h"

namespace {

const RegisterReader<KV_Plant, KV_ABObj_Constructor> registration(L"KV_Plant");

// The time line's speed mode in which the plant fades with its opacity.
constexpr int kFadingSpeedMode = 1;

} // namespace

std::unique_ptr<KV_ParticleGenerator> KV_Plant::Clone() const { return std::make_unique<KV_Plant>(*this); }

void KV_Plant::Update(float t, KV_ParticlesObj&) { swaySpeed.Advance(t); }

void KV_Plant::Render(KV_ABRender& renderer, KV_ParticlesObj& object)
{
    if (!m_effect || object.Batches().empty())
        return;
    const float alpha = TimeLine().speedMode.Value() == kFadingSpeedMode ? TimeLine().GetOpacity() : 1.0f;
    const float colour[4] = {1, 1, 1, alpha};
    m_effect->SetTechnique("Main");
    m_effect->SetTexture("Texture", CurrentFrameTexture(0));
    m_effect->SetFloat("Time", swaySpeed.Phase());
    m_effect->SetFloat("Frequency", frequency.Result());
    m_effect->SetFloat("WMagnitude", wMagnitude.Result());
    m_effect->SetFloat("BMagnitude", bMagnitude.Result());
    m_effect->SetFloatArray("color", colour, 4);
    renderer.DrawSprites(object.Batches()[0], m_effect.Get(), 2 * object.QuadCounts()[0]);
}

void KV_Plant::Read(KV_IOF_Virtual& archive, DWORD)
{
    ReadFields(archive);
    KV_SingleRectGN::ReadRecord(archive);
}

void KV_Plant::ReadFields(KV_IOF_Virtual& archive)
{
    ReadScaledValue(archive, swaySpeed);
    ReadScaledValue(archive, frequency);
    ReadScaledValue(archive, wMagnitude);
    ReadScaledValue(archive, bMagnitude);
}

void KV_Plant::WriteRecord(KV_IOF_Virtual& archive) const
{
    WriteRecordFrame(archive, L"KV_Plant", 1);
    WriteFields(archive);
}

void KV_Plant::WriteFields(KV_IOF_Virtual& archive) const
{
    archive.WriteUInt(&swaySpeed.Value());
    archive.WriteUInt(&frequency.Value());
    archive.WriteUInt(&wMagnitude.Value());
    archive.WriteUInt(&bMagnitude.Value());
    KV_SingleRectGN::WriteRecord(archive);
}
