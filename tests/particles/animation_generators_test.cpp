// The ray fan without a device: its angle.
#include "particles/generators/particles_obj.h"
#include "particles/generators/radial_rays.h"
#include "scene/model/crt_random.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <limits>
#include <string>
#include <vector>

namespace {

struct RotationCase {
    const char* name;
    int mode;
    // Stored amplitude; 50 is one radian.
    unsigned int amplitude;
    float seconds;
    float angle;
};

class RayRotation : public testing::TestWithParam<RotationCase> {};

// At one radian a second.
TEST_P(RayRotation, TurnsTurnsBackOrSwingsWithinItsAmplitude)
{
    KV_RadialRays rays;
    rays.rotationSpeed.StoreAndNotify(50);
    rays.rotationMode.Value() = GetParam().mode;
    rays.swingAmplitude.StoreAndNotify(GetParam().amplitude);
    const auto object = rays.CreateObject();
    for (float t = 0.1f; t < GetParam().seconds; t += 0.1f)
        object->Update(t);
    object->Update(GetParam().seconds);
    D3DXVECTOR3 x(1, 0, 0);
    const auto& turned = static_cast<KV_RadialRays&>(static_cast<KV_ParticlesObj&>(*object).Generator());
    D3DXVec3TransformCoord(&x, &x, &turned.rotation);
    EXPECT_NEAR(std::atan2(x.y, x.x), GetParam().angle, 2e-3f);
}

INSTANTIATE_TEST_SUITE_P(Modes, RayRotation,
                         testing::Values(RotationCase{"Turn", KV_RadialRays::kTurn, 0, 0.5f, 0.5f},
                                         RotationCase{"TurnBack", KV_RadialRays::kTurnBack, 0, 0.5f, -0.5f},
                                         RotationCase{"SwingAtItsTop", KV_RadialRays::kSwing, 50, 1.5708f, 1.0f},
                                         RotationCase{"SwingAtItsBottom", KV_RadialRays::kSwing, 50, 4.7124f, -1.0f},
                                         RotationCase{"SwingHalfAsFar", KV_RadialRays::kSwing, 25, 1.5708f, 0.5f}),
                         [](const testing::TestParamInfo<RotationCase>& info) { return std::string(info.param.name); });

}  // namespace
