#include "particles/sprites/flow.h"

#include "scene/document/reader_registry.h"
#include "scene/document/record.h"
#include "scene/model/crt_random.h"
#include "scene/model/float_convert.h"
#include "scene/model/fun_light_ctrl.h"
#include "scene/model/random_functions.h"

#include <cmath>

namespace {

const RegisterReader<KV_FlowConstructor, KV_ABObj_Constructor> registration(L"KV_FlowConstructor");

constexpr DWORD kFlowVersion = 4;

} // namespace

KV_FlowConstructor::KV_FlowConstructor()
{
    TimeLine().speedMode.Value() = 0;
    Bind();
}

KV_FlowConstructor::KV_FlowConstructor(const KV_FlowConstructor& other)
    : SpriteKind(other), angle(other.angle), wobbleAmplitude(other.wobbleAmplitude),
      wobbleRate(other.wobbleRate), speed(other.speed), orientation(other.orientation), rules(other.rules)
{
    Bind();
}

void KV_FlowConstructor::Bind()
{
    for (int edge = 0; edge < 4; ++edge)
        rules[edge].BindEdge(edge);
    m_bindings.SetOwner(this);
    KV_FunLightCtrl<unsigned int, KV_FlowConstructor>::Create(m_bindings, &KV_FlowConstructor::OnDirectionChanged,
                                                              angle);
}

void KV_FlowConstructor::OnDirectionChanged(unsigned int degrees)
{
    const int turn = 360 - static_cast<int>(degrees);
    D3DXMatrixRotationZ(&rotation, static_cast<float>(turn) * 3.1415927f / 180.0f);
    const D3DXVECTOR4 along(speed, 0, 0, 0), across(0, 1, 0, 0);
    D3DXVec4Transform(&direction, &along, &rotation);
    D3DXVec4Transform(&perpendicular, &across, &rotation);
}

float& KV_FlowConstructor::RuleFade(SpriteInstance& i) { return i.phase; }

void KV_FlowConstructor::Write(KV_IOF_Virtual& archive) const { WriteRecord(archive); }

void KV_FlowConstructor::WriteRecord(KV_IOF_Virtual& archive) const
{
    WriteRecordFrame(archive, L"KV_FlowConstructor", kFlowVersion);
    archive.WriteUInt(&angle.Value());
    archive.WriteUInt(&wobbleAmplitude.Value());
    archive.WriteUInt(&wobbleRate.Value());
    archive.WriteFloat(&speed);
    archive.WriteInt(&orientation.Value());
    for (const KV_BoundControl& rule : rules)
        rule.Write(archive);
    KV_BaseSpriteProp::WriteRecord(archive);
}

void KV_FlowConstructor::ReadRecord(KV_IOF_Virtual& archive) { Read(archive, ReadRecordVersion(archive)); }

void KV_FlowConstructor::Read(KV_IOF_Virtual& archive, DWORD version)
{
    archive.ReadUInt(&angle.Value());
    archive.ReadUInt(&wobbleAmplitude.Value());
    archive.ReadUInt(&wobbleRate.Value());
    archive.ReadFloat(&speed);
    if (version == 2) {
        INT stored = 0;
        archive.ReadInt(&stored);
        orientation.SetValue(stored != 0 ? 1 : 0);
    } else if (version > 2) {
        archive.ReadInt(&orientation.Value());
    }
    if (version > 3)
        for (KV_BoundControl& rule : rules)
            rule.ReadRecord(archive);
    KV_BaseSpriteProp::ReadRecord(archive);
}

unsigned KV_FlowConstructor::GetParticleCount() const
{
    const unsigned n = count.Value();
    if (n < 2)
        return n;
    return SaturatingTruncate<unsigned>(TimeLine().GetOpacity() * static_cast<float>(n));
}

void KV_FlowConstructor::OrientAxes(SpriteInstance& i) const
{
    const D3DXVECTOR3 u(1, 0, 0), v(0, 1, 0);
    if (orientation.Value() == 1) {
        i.axisU = TurnAxis(u, rotation);
        i.axisV = TurnAxis(v, rotation);
    } else if (orientation.Value() == 0) {
        i.axisU = u;
        i.axisV = v;
    }
}

void KV_FlowConstructor::InitParticle(SpriteInstance& i)
{
    i.m[5] = static_cast<float>(kv_rand()) / KV_RAND_MAX * 2.0f - 1.0f;
    i.m[0] = i.m[1] = 1.0f;
    i.m[2] = i.m[3] = i.m[4] = 0.0f;
    i.centre = RandomPointInRect();
    i.ComputeHalfExtents(size.Value());
    UpdateInstanceColor(i);
    OrientAxes(i);
}

void KV_FlowConstructor::UpdateParticle(SpriteInstance& i) { UpdateParticles(std::span(&i, 1)); }

void KV_FlowConstructor::UpdateParticles(std::span<SpriteInstance> instances)
{
    const Motion motion = TakeMotion();
    const InstanceColorRule colour = ColorRule();
    for (SpriteInstance& i : instances) {
        Move(motion, i);
        colour.Apply(i);
    }
}

KV_FlowConstructor::Motion KV_FlowConstructor::TakeMotion() const
{
    const float rate = wobbleRate.Result();
    const bool wobbles = rate > 0.0f;
    return {clockStep,
            clock,
            direction.x,
            direction.y,
            perpendicular.x,
            perpendicular.y,
            wobbleAmplitude.Result(),
            wobbles,
            wobbles ? 1.0f / rate : 0.0f,
            orientation.Value(),
            KV_BoundControl::EdgesOf(*this)};
}
