#include "particles/generators/custom_air_brush.h"

#include "particles/generators/particles_obj.h"
#include "particles/generators/record_fields.h"
#include "scene/document/reader_registry.h"
#include "scene/document/record.h"
#include "scene/resources/kv_docresmanager.h"

namespace {

const RegisterReader<KV_CustomAirBrush, KV_ABObj_Constructor> registration(L"KV_CustomAirBrush");

} // namespace

std::unique_ptr<KV_ParticleGenerator> KV_CustomAirBrush::Clone() const
{
    return std::make_unique<KV_CustomAirBrush>(*this);
}

void KV_CustomAirBrush::RestoreResources(KV_ParticlesObj& object)
{
    KV_AirBrush::RestoreResources(object);
    LoadAnimation();
}

void KV_CustomAirBrush::LoadAnimation()
{
    if (g_currentDocResManager)
        animation = g_currentDocResManager->GetImage(animationImage);
    aspect = animation.aspect;
    FillQuads();
}

void KV_CustomAirBrush::Update(float t, KV_ParticlesObj&)
{
    animationSpeed.Advance(t);
    animation.StepForward(animationSpeed.Phase());
}

void KV_CustomAirBrush::Render(KV_ABRender& renderer, KV_ParticlesObj& object)
{
    RenderBlendedBatch(renderer, animation.CurrentFrame(), object);
}

void KV_CustomAirBrush::Read(KV_IOF_Virtual& archive, DWORD)
{
    ReadFields(archive);
    KV_AirBrush::ReadRecord(archive);
}

void KV_CustomAirBrush::ReadFields(KV_IOF_Virtual& archive)
{
    ReadFileLink(archive, animationImage);
    ReadScaledValue(archive, animationSpeed);
}

void KV_CustomAirBrush::WriteRecord(KV_IOF_Virtual& archive) const
{
    WriteRecordFrame(archive, L"KV_CustomAirBrush", 1);
    WriteFields(archive);
}

void KV_CustomAirBrush::WriteFields(KV_IOF_Virtual& archive) const
{
    if (g_currentDocResManager)
        g_currentDocResManager->RegisterImageLink(animationImage);
    WriteFileLink(archive, animationImage);
    archive.WriteUInt(&animationSpeed.Value());
    KV_AirBrush::WriteRecord(archive);
}
