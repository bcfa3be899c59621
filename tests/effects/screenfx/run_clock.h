// A masked effect's clock run on to a phase.
#pragma once

#include <algorithm>

#include <gtest/gtest.h>

#include "effects/screenfx/fx_constructor.h"

namespace screenfx_test {

// The description's clock run on until its phase is there, in steps the
// clock takes whole; the kind's Update runs at every step.
inline void RunClock(KV_FX_Constructor& description, float phase)
{
    const float rate = description.speed.Result();
    ASSERT_GT(rate, 0.0f) << "a clock that stands still";
    float t = description.speed.LastTime();
    for (float left = phase - description.speed.Phase(); left > 1e-6f; left = phase - description.speed.Phase()) {
        t += std::min(0.2f, left / rate);
        description.Update(t);
    }
}

}  // namespace screenfx_test
