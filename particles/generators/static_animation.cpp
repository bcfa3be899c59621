#include "particles/generators/static_animation.h"

#include "particles/generators/particles_obj.h"
#include "particles/generators/record_fields.h"
#include "scene/document/reader_registry.h"
#include "scene/document/record.h"
#include "scene/light/kv_abrender.h"

namespace {

const RegisterReader<KV_StaticAnimation, KV_ABObj_Constructor> registration(L"KV_StaticAnimation");

constexpr int kAnimationEffect = 116;

} // namespace

KV_StaticAnimation::KV_StaticAnimation()
{
    effectLink.SetKey(KV_FileLink3::FromResource(kAnimationEffect, L"common_res.dll").Key());
}

std::unique_ptr<KV_ParticleGenerator> KV_StaticAnimation::Clone() const
{
    return std::make_unique<KV_StaticAnimation>(*this);
}

void KV_StaticAnimation::Update(float t, KV_ParticlesObj&)
{
    frameSpeed.Advance(t);
    TextureSequence* image = FirstImage();
    if (!image)
        return;
    if (backward.Value() != 0)
        image->StepBackward(frameSpeed.Phase());
    else
        image->StepForward(frameSpeed.Phase());
}

void KV_StaticAnimation::Render(KV_ABRender& renderer, KV_ParticlesObj& object)
{
    if (!m_effect || object.Batches().empty())
        return;
    const DWORD rgb = firstColour.Value();
    const float colour[4] = {static_cast<float>(rgb & 0xFF) / 255, static_cast<float>((rgb >> 8) & 0xFF) / 255,
                             static_cast<float>((rgb >> 16) & 0xFF) / 255,
                             TimeLine().GetOpacity() * firstColour.Alpha() / 255};
    m_effect->SetTechnique("Blend_Normal");
    m_effect->SetTexture("Texture", CurrentFrameTexture(0));
    m_effect->SetFloatArray("Color", colour, 4);
    renderer.DrawSprites(object.Batches()[0], m_effect.Get(), 2 * object.QuadCounts()[0]);
}

void KV_StaticAnimation::Read(KV_IOF_Virtual& archive, DWORD)
{
    ReadFields(archive);
    KV_SingleRectGN::ReadRecord(archive);
}

void KV_StaticAnimation::ReadFields(KV_IOF_Virtual& archive)
{
    ReadScaledValue(archive, frameSpeed);
    archive.ReadInt(&backward.Value());
}

void KV_StaticAnimation::WriteRecord(KV_IOF_Virtual& archive) const
{
    WriteRecordFrame(archive, L"KV_StaticAnimation", 1);
    WriteFields(archive);
}

void KV_StaticAnimation::WriteFields(KV_IOF_Virtual& archive) const
{
    archive.WriteUInt(&frameSpeed.Value());
    archive.WriteInt(&backward.Value());
    KV_SingleRectGN::WriteRecord(archive);
}
