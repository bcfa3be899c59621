// Random wandering inside a rectangle, steered back to its centre when the
// particle leaves it.
#pragma once

#include "particles/processes/pprocess.h"

#include <d3dx9math.h>

class MediaQuad;
template <typename T>
class UINTSclaleTo;

// The owner's settings, read through on every step.
struct BrownianParams {
    const MediaQuad& rectangle;  // corner 0 top-left, corner 3 bottom-right
    const UINTSclaleTo<float>& speed;
    const UINTSclaleTo<float>& changePeriod;
    const UINTSclaleTo<float>& steeringTime;  // seconds, above 0
};

class PBrownian : public PProcessT<PBrownian> {
public:
    // Draws a random velocity in [-100, 100] (y first) and a change timer
    // of 1 to 5 s.
    explicit PBrownian(const BrownianParams& params);
    bool Process(float dt, Particle& p) override;

    // Accelerates so that the velocity reaches the target in the steering
    // time.
    void SteerTowards(const D3DXVECTOR3& target);
    void SteerToCentre(const Particle& p);

    const BrownianParams* params;
    D3DXVECTOR3 velocity;
    D3DXVECTOR3 acceleration{0, 0, 0};
    float steeringLeft = 0.0f;
    float changeTimer;
    bool inside = true;
};
