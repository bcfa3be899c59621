// A clock hand turned to the local wall-clock time.
#pragma once

#include <windef.h>

#include "scene/render/kv_animation_base.h"

class AC_ClockArrow : public KV_AnimationBase {
public:
    explicit AC_ClockArrow(bool hourHand) : hour(hourHand) {}

    void Apply(KV_Frame& frame) override;

    BYTE hour;
    // Degrees; kept while the local time cannot be read, so the hand
    // stays put (before any good reading it points at 12).
    float lastAngle = 0.0f;
};
