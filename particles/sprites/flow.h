// Sprites that flow along one direction with a random sideways wobble, and
// rain, whose drops pulse and start anew at random places. What a sprite
// does at each edge is that edge's rule.
#pragma once

#include "particles/sprites/bound_control.h"
#include "particles/sprites/particle_system_ctrl.h"
#include "scene/model/crt_random.h"

#include <array>
#include <cmath>
#include <span>

class KV_FlowConstructor : public SpriteKind<KV_FlowConstructor> {
public:
    KV_FlowConstructor();
    // The settings and rules; the direction follows the copied angle.
    KV_FlowConstructor(const KV_FlowConstructor& other);

    void Write(KV_IOF_Virtual& archive) const override;
    void InitParticle(SpriteInstance& instance) override;
    // The frame's loop on a list of one: a kind derived from the flow
    // replaces UpdateParticles alone.
    void UpdateParticle(SpriteInstance& instance) override;
    void UpdateParticles(std::span<SpriteInstance> instances) override;
    // Fewer sprites while the time line fades; a count below 2 stays.
    unsigned GetParticleCount() const override;

    void Read(KV_IOF_Virtual& archive, DWORD version);
    void WriteRecord(KV_IOF_Virtual& archive) const;
    void ReadRecord(KV_IOF_Virtual& archive);

    // Speed along the angle, and the unit vector across it.
    void OnDirectionChanged(unsigned int angle);
    // The fade the edge rules run on: the phase itself here.
    virtual float& RuleFade(SpriteInstance& instance);

    // Degrees: 0 flows right, 90 up, 180 left, 270 down.
    MediaParamT<unsigned int> angle{0};
    // Sideways speed at wobble factor 1.
    UINTSclaleTo<float> wobbleAmplitude{0, 3.0f};
    // Chances per clock second of a new wobble.
    UINTSclaleTo<float> wobbleRate{0, 0.25f};
    float speed = 0.0f;
    // 0 upright, 1 along the flow, 2 mirrored when flowing left, 3 when up.
    MediaParamT<int> orientation{0};
    // Top, bottom, left, right.
    std::array<KV_BoundControl, 4> rules;
    D3DXVECTOR4 direction{0, 0, 0, 0};
    D3DXVECTOR4 perpendicular{0, 1, 0, 0};
    D3DXMATRIX rotation;

protected:
    // What moving a sprite reads of the description, taken once a frame:
    // nothing a sprite or its rules do changes it.
    struct Motion {
        float step, clock;
        float alongX, alongY, acrossX, acrossY;
        float amplitude;
        bool wobbles;
        // Clock seconds between chances of a new wobble.
        float wobbleInterval;
        int orientation;
        KV_BoundControl::PixelEdges edges;
    };
    Motion TakeMotion() const;

    // The axes of orientations 0 and 1.
    void OrientAxes(SpriteInstance& instance) const;
    // Along the flow, through the edge rules, axes and wobble; no colour.
    // Inline: it runs for every sprite on every frame.
    void Move(const Motion& motion, SpriteInstance& instance);

private:
    void Bind();

    BoundControlList m_bindings;
};

class KV_RainConstructor : public SpriteKind<KV_RainConstructor, KV_FlowConstructor> {
public:
    KV_RainConstructor();

    void Write(KV_IOF_Virtual& archive) const override;
    // The flow's set-up with a random phase and the rule state cleared.
    void InitParticle(SpriteInstance& instance) override;
    // The flow's motion, then the drop's own pulse.
    void UpdateParticles(std::span<SpriteInstance> instances) override;
    // A value of its own, so that a drop leaving at a wrapping edge comes
    // back in at the opposite one.
    float& RuleFade(SpriteInstance& instance) override;

    void Read(KV_IOF_Virtual& archive, DWORD version);

    D3DXMATRIX rainRotation;
};

inline void KV_FlowConstructor::Move(const Motion& m, SpriteInstance& i)
{
    const float vx = i.scale * (m.alongX * i.m[0] + m.amplitude * i.m[5] * m.acrossX);
    const float vy = i.scale * (m.alongY * i.m[1] + m.amplitude * i.m[5] * m.acrossY);
    if (!i.waiting) {
        i.centre.x += m.step * vx;
        i.centre.y += m.step * vy;
    }
    // Nearly every sprite is free and clear of the edges, where no rule acts.
    if (i.edgeState != KV_BoundControl::kNone || !KV_BoundControl::ClearOfEdges(i, m.edges))
        KV_BoundControl::ApplyFirst(rules, m.edges, *this, i);
    // The sign of the float: -0 counts as negative.
    if (m.orientation == 2) {
        i.axisU = D3DXVECTOR3(std::copysign(1.0f, vx), 0, 0);
        i.axisV = D3DXVECTOR3(0, 1, 0);
    } else if (m.orientation == 3) {
        i.axisU = D3DXVECTOR3(1, 0, 0);
        i.axisV = D3DXVECTOR3(0, std::copysign(1.0f, vy), 0);
    }
    if (m.wobbles && m.wobbleInterval < m.clock - i.t0) {
        i.t0 = m.clock;
        if (kv_rand() & 1)
            i.m[5] = RandomInRange(-1.0f, 1.0f);
    }
}
