#include "particles/objects3d/smooth_value.h"

#include <cmath>

void SmoothValue::Advance(float step)
{
    if (current == target)
        return;
    current += step * rate;
    if ((rate > 0.0f && current > target) || (rate < 0.0f && current < target))
        current = target;
}

void SmoothValue::SetTarget(float newTarget, float newRate)
{
    if (newRate != 0.0f)
        rate = newRate;
    target = newTarget;
    rate = newTarget > current ? std::fabs(rate) : -std::fabs(rate);
}
