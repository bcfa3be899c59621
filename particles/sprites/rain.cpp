#include "particles/sprites/flow.h"

#include "scene/document/reader_registry.h"
#include "scene/document/record.h"

namespace {

const RegisterReader<KV_RainConstructor, KV_ABObj_Constructor> registration(L"KV_RainConstructor");

} // namespace

KV_RainConstructor::KV_RainConstructor()
{
    D3DXMatrixRotationZ(&rainRotation, 4.712389f);
    wobbleAmplitude.SetValue(0);
    speed = 2000.0f;
    angle.SetValue(270);
    scaleMinimum = 0.5f;
    scaleMaximum = 1.0f;
    orientation.SetValue(1);
}

void KV_RainConstructor::Write(KV_IOF_Virtual& archive) const
{
    WriteRecordFrame(archive, L"KV_RainConstructor", 1);
    WriteRecord(archive);
}

void KV_RainConstructor::Read(KV_IOF_Virtual& archive, DWORD) { ReadRecord(archive); }

float& KV_RainConstructor::RuleFade(SpriteInstance& i) { return i.ruleFade; }

void KV_RainConstructor::InitParticle(SpriteInstance& i)
{
    KV_FlowConstructor::InitParticle(i);
    i.phase = RandomInRange(0.0f, 1.0f);
    i.ComputeHalfExtents(size.Value());
    UpdateInstanceColor(i);
    OrientAxes(i);
    if (orientation.Value() == 1) {
        i.axisU = TurnAxis(i.axisU, rainRotation);
        i.axisV = TurnAxis(i.axisV, rainRotation);
    }
    // A recycled drop is free of every edge rule.
    i.edgeState = KV_BoundControl::kNone;
    i.placed = false;
    i.waiting = false;
    i.ruleFade = 1.0f;
}

void KV_RainConstructor::UpdateParticles(std::span<SpriteInstance> instances)
{
    const Motion motion = TakeMotion();
    const InstanceColorRule colour = ColorRule();
    for (SpriteInstance& i : instances) {
        // The edge rules fade the drop's own value, not its phase.
        Move(motion, i);
        PulsePhase(i, true);
        colour.Apply(i);
    }
}
