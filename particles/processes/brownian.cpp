#include "particles/processes/brownian.h"

#include "particles/processes/particle.h"
#include "particles/processes/processes.h"
#include "scene/model/media_quad.h"
#include "scene/model/random_functions.h"
#include "scene/model/scaled_param.h"

PBrownian::PBrownian(const BrownianParams& params) : params(&params)
{
    const float vy = RandomFloat(-100, 100);
    const float vx = RandomFloat(-100, 100);
    velocity = D3DXVECTOR3(vx, vy, 0);
    changeTimer = RandomFloat(1, 5);
}

bool PBrownian::Process(float dt, Particle& p)
{
    const D3DXVECTOR3& first = params->rectangle.corners[0].Value();
    const D3DXVECTOR3& fourth = params->rectangle.corners[3].Value();
    const bool isInside =
        first.x <= p.position.x && p.position.x <= fourth.x && first.y <= p.position.y && p.position.y <= fourth.y;
    if (isInside) {
        inside = true;
    } else {
        const bool unsteered = acceleration.x == 0 && acceleration.y == 0 && acceleration.z == 0;
        if (inside || unsteered)
            SteerToCentre(p);
        inside = false;
    }

    changeTimer -= dt;
    if (changeTimer < 0) {
        const float period = params->changePeriod.Result();
        changeTimer = 0.5f * period + RandomFloat(0, 1) * period;
        if (inside) {
            const float x = RandomFloat(-100, 100);
            const float y = RandomFloat(-100, 100);
            SteerTowards(D3DXVECTOR3(x, y, 0));
        }
    }

    steeringLeft -= dt;
    if (steeringLeft < 0) {
        acceleration = D3DXVECTOR3(0, 0, 0);
        steeringLeft = 0;
    }

    p.position += KineticDisplacement(velocity, acceleration, dt) * params->speed.Result();
    velocity += acceleration * dt;
    return true;
}

void PBrownian::SteerTowards(const D3DXVECTOR3& target)
{
    const float t = params->steeringTime.Result();
    acceleration = (target - velocity) * (1.0f / t);
    steeringLeft = t;
}

void PBrownian::SteerToCentre(const Particle& p)
{
    const D3DXVECTOR3& first = params->rectangle.corners[0].Value();
    const D3DXVECTOR3& fourth = params->rectangle.corners[3].Value();
    const D3DXVECTOR3 centre((fourth.x + first.x) * 0.5f, (fourth.y + first.y) * 0.5f, 0);
    D3DXVECTOR3 direction = centre - p.position;
    D3DXVec3Normalize(&direction, &direction);
    SteerTowards(direction * 100.0f);
}
