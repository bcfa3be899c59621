#include "particles/objects3d/ac_clock_arrow.h"

#include <time.h>

#include "particles/objects3d/transforms.h"
#include "scene/render/kv_frame.h"

void AC_ClockArrow::Apply(KV_Frame& frame)
{
    __time64_t now = 0;
    _time64(&now);
    tm local{};
    if (_localtime64_s(&local, &now) == 0) {
        const float minutes = static_cast<float>(local.tm_min);
        lastAngle = hour ? (static_cast<float>(local.tm_hour % 12) + minutes / 60.0f) * 30.0f
                         : (static_cast<float>(local.tm_sec) / 60.0f + minutes) * 6.0f;
    }
    frame.world = frame.local * RotationY(lastAngle);
}
