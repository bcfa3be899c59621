#include "particles/objects3d/leaf_fall_anim.h"

#include <algorithm>
#include <cmath>

#include "particles/objects3d/drift_settings.h"
#include "particles/objects3d/transforms.h"
#include "scene/model/crt_random.h"
#include "scene/model/picture_placement.h"
#include "scene/model/random_functions.h"
#include "scene/render/kv_frame.h"

float g_meshArrayTime = 0.0f;

namespace {

constexpr float kMaxStep = 0.2f;

float PictureWidth() { return static_cast<float>(g_picturePlacement->pictureWidth); }
float PictureHeight() { return static_cast<float>(g_picturePlacement->pictureHeight); }
float Sign() { return kv_rand() % 2 == 1 ? -1.0f : 1.0f; }

KV_LeafFallAnim::Turn Spin()
{
    const float sign = Sign();
    const float rate = (7.0f + 3.0f * RandomFloat(0.0f, 1.0f)) * sign;
    return {rate, rate};
}

// Half of the swings never move.
KV_LeafFallAnim::Turn Swing()
{
    const float sign = Sign();
    const float k = static_cast<float>(kv_rand() % 2) * sign;
    const float rate = (3.0f + 4.0f * RandomFloat(0.0f, 1.0f)) * k;
    return {rate, rate};
}

}  // namespace

KV_SreamAnim::KV_SreamAnim(const DriftSettings& drift) : settings(drift)
{
    const float x = PictureWidth() * RandomFloat(0.0f, 1.0f);
    const float y = PictureHeight() * RandomFloat(0.0f, 1.0f);
    position = Translation(x, y, 0.0f);
    wobble = 2.0f * RandomFloat(0.0f, 1.0f) - 1.0f;
    speedFactor = 0.07f + 0.06f * RandomFloat(0.0f, 1.0f);
}

void KV_SreamAnim::Apply(KV_Frame&)
{
    const float t = g_meshArrayTime;
    timeStep = std::min(std::fabs(t - lastTime), kMaxStep);
    lastTime = t;
    const float j = wobble * static_cast<float>(settings.sway.Value()) * 0.02f;
    const float vx = settings.direction.x + j * settings.side.x;
    const float vy = settings.direction.y + j * settings.side.y;
    const float f = static_cast<float>(settings.speed.Value()) * speedFactor * timeStep * 50.0f;
    Move(f * vx, f * vy);

    const float rate = static_cast<float>(settings.wobbleChangeRate.Value());
    // Rate 0: the wobble never changes.
    if (rate > 0.0f &&
        (t - lastWobbleChange) * static_cast<float>(settings.speed.Value()) * 0.1f > 100.0f / rate) {
        lastWobbleChange = t;
        if (kv_rand() % 2 == 1)
            wobble = RandomFloat(-1.0f, 1.0f);
    }
}

void KV_SreamAnim::Move(float dx, float dy)
{
    float& x = position._41;
    float& y = position._42;
    const float w = PictureWidth(), h = PictureHeight();
    const float m = static_cast<float>(settings.size.Value()) * 0.5f;
    if (dy > 0.0f && y > h + m) {
        x = RandomFloat(0.0f, w);
        y = -m;
    } else if (dy < 0.0f && y < -m) {
        x = RandomFloat(0.0f, w);
        y = h + m;
    } else if (dx > 0.0f && x > w + m) {
        x = -m;
        y = RandomFloat(0.0f, h);
    } else if (dx < 0.0f && x < -m) {
        x = w + m;
        y = RandomFloat(0.0f, h);
    } else {
        x += dx;
        y += dy;
    }
}

KV_LeafFallAnim::KV_LeafFallAnim(const DriftSettings& drift)
    : KV_SreamAnim(drift), spinX(Spin()), spinY(Spin()), spinZ(Spin()), swingY(Swing()), swingX(Swing())
{
}

void KV_LeafFallAnim::Apply(KV_Frame& frame)
{
    KV_SreamAnim::Apply(frame);
    const float r = frame.boundingRadius;
    // A mesh that did not load has no sphere: nothing to scale to.
    const float s = r > 0.0f ? static_cast<float>(settings.size.Value()) * 0.5f / r : 0.0f;
    const float spin = static_cast<float>(settings.spinSpeed.Value());
    const float sway = static_cast<float>(settings.sway.Value());
    for (Turn* turn : {&spinX, &spinY, &spinZ})
        turn->angle += turn->rate * timeStep * spin * 0.4f;
    for (Turn* turn : {&swingY, &swingX})
        turn->angle += turn->rate * timeStep * sway * 0.4f;
    frame.world = frame.local * Scaling(s) * RotationX(spinX.angle) * RotationZ(spinZ.angle) *
                  RotationY(spinY.angle) * Translation(0.0f, 0.0f, 50.0f) * RotationY(swingY.angle) *
                  RotationX(swingX.angle) * position;
}
