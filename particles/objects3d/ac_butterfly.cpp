#include "particles/objects3d/ac_butterfly.h"

#include <cmath>

#include "particles/objects3d/kv_3d_obj_ctrl.h"
#include "particles/objects3d/transforms.h"
#include "scene/model/crt_random.h"
#include "scene/model/fun_light_ctrl.h"
#include "scene/model/picture_placement.h"
#include "scene/model/random_functions.h"
#include "scene/render/kv_frame.h"

namespace {

// Degrees a bank leans to, and how far off the heading must be first.
constexpr float kBankAngle = 25.0f;
constexpr float kBankThreshold = 5.0f;
constexpr float kDecisionInterval = 0.25f;

}  // namespace

AC_ButterflyWing::AC_ButterflyWing() { D3DXMatrixIdentity(&matrix); }

void AC_ButterflyWing::Apply(KV_Frame& frame)
{
    frame.world = frame.local * matrix;
    frame.faceOrder = faceOrder;
}

AC_Butterfly::AC_Butterfly(KV_3D_Obj_Ctrl& owner)
    : description(owner), m_unclaimedWings{std::make_unique<AC_ButterflyWing>(), std::make_unique<AC_ButterflyWing>()}
{
    wings[0] = m_unclaimedWings[0].get();
    wings[1] = m_unclaimedWings[1].get();
    position = description.RandomPointInRect();
    const float h = 360.0f * RandomFloat(0.0f, 1.0f);
    heading = {h, h, 350.0f};
    D3DXMatrixRotationX(&pitch, 0.17453294f);
    mirror = Scaling(-1.0f, 1.0f, 1.0f);
    m_bindings.SetOwner(this);
    KV_FunLightCtrl<unsigned int, AC_Butterfly>::Create(m_bindings, &AC_Butterfly::OnSizeChanged, description.size);
}

AC_Butterfly::~AC_Butterfly() = default;

std::unique_ptr<AC_ButterflyWing> AC_Butterfly::ReleaseWing(int i) { return std::move(m_unclaimedWings[i]); }

void AC_Butterfly::OnSizeChanged(unsigned int value) { size = Scaling(static_cast<float>(value) / 100.0f); }

void AC_Butterfly::Apply(KV_Frame& frame)
{
    const float step = description.clockStep;
    D3DXMATRIX w = RotationY(heading.current) * frame.local;
    if (heading.current - heading.target < -kBankThreshold)
        bank.SetTarget(kBankAngle, 0.0f);
    else if (heading.current - heading.target > kBankThreshold)
        bank.SetTarget(-kBankAngle, 0.0f);
    if (forward.current < 100.0f)
        w = RotationX((1.0f - forward.current / 100.0f) * 15.0f) * w;
    w = pitch * w;
    w = RotationZ(bank.current) * w;
    if (bank.current == bank.target)
        bank.SetTarget(0.0f, 0.0f);
    w = Flap(step) * w;

    D3DXVECTOR3 v;
    const D3DXVECTOR3 ahead(forward.current, 0.0f, 0.0f);
    const D3DXMATRIX turn = RotationY(heading.current);
    D3DXVec3TransformCoord(&v, &ahead, &turn);
    position.x += step * v.x;
    position.y += step * vertical.current;
    position.z = 0.0f;
    w = w * Translation(position.x, position.y, position.z);

    AdvanceValues(step);
    KeepInside();
    Decide(description.clock);
    frame.world = size * w;
}

D3DXMATRIX AC_Butterfly::Flap(float step)
{
    flapAngle += step * 7.0f * flapSpeed;
    if (flapAngle > flapUpper)
        flapSpeed = -160.0f;
    if (flapAngle < flapLower)
        flapSpeed = 100.0f;
    const D3DXMATRIX r = RotationZ(flapAngle);
    wings[0]->matrix = r;
    wings[1]->matrix = r * mirror;
    wings[0]->faceOrder = flapAngle > 0.0f;
    wings[1]->faceOrder = flapAngle < 0.0f;
    return Translation(0.0f, flapAngle * -3.0f / 45.0f, 0.0f);
}

void AC_Butterfly::AdvanceValues(float step)
{
    vertical.Advance(step);
    bank.Advance(step);
    heading.Advance(step);
    forward.Advance(step);
}

void AC_Butterfly::KeepInside()
{
    const auto& r = description.relative;
    const float w = static_cast<float>(g_picturePlacement->pictureWidth);
    const float h = static_cast<float>(g_picturePlacement->pictureHeight);
    if (r.top * h > position.y) {
        requestedState = Gliding;
        vertical.SetTarget(100.0f, 0.0f);
    } else if (r.bottom * h < position.y) {
        requestedState = Flapping;
        vertical.SetTarget(-190.0f, 0.0f);
    }
    float target;
    if (r.left * w > position.x)
        target = 0.0f;
    else if (r.right * w < position.x)
        target = -180.0f;
    else
        return;
    heading.SetTarget(target, 350.0f);
    forward.SetTarget(300.0f, 0.0f);
}

void AC_Butterfly::Decide(float clock)
{
    if (state != requestedState) {
        if (requestedState == Gliding) {
            flapUpper = 0.0f;
            if (flapAngle < flapLower * 0.5f) {
                state = Gliding;
                flapSpeed = -std::fabs(flapSpeed) / 100.0f;
            }
        } else {
            state = Flapping;
            flapUpper = -flapLower;
            flapSpeed = forward.current <= 20.0f ? 160.0f : RandomFloat(-160.0f, forward.current / 3.0f - 50.0f);
        }
    }
    if (state != requestedState || clock - lastDecision <= kDecisionInterval)
        return;
    switch (kv_rand() % 5) {
    case 0:
        requestedState = Flapping;
        vertical.SetTarget(RandomFloat(-190.0f, 0.0f), 0.0f);
        break;
    case 1:
        requestedState = Gliding;
        vertical.SetTarget(RandomFloat(100.0f, 150.0f), 0.0f);
        break;
    case 2:
        requestedState = Flapping;
        forward.SetTarget(RandomFloat(-25.0f, 300.0f), 0.0f);
        break;
    default:
        if (state == Flapping && heading.current == heading.target) {
            const float rate = RandomFloat(50.0f, 350.0f);
            if (kv_rand() % 2 == 0)
                heading.SetTarget(RandomFloat(155.0f, 205.0f), rate);
            else
                heading.SetTarget(RandomFloat(-25.0f, 25.0f), rate);
        }
        break;
    }
    lastDecision = clock;
}
