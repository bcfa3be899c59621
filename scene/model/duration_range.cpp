#include "scene/model/duration_range.h"

#include "scene/model/crt_random.h"

#include <cstdint>

float DurationRange::PickSeconds() const
{
    const unsigned int low = minimum.Value();
    const unsigned int high = maximum.Value();
    unsigned int pick = low;
    if (random) {
        const uint32_t draw = static_cast<uint32_t>(kv_rand());
        if (high >= low)
            pick = low + static_cast<unsigned int>(draw % (uint64_t{high} - low + 1));
    }
    return static_cast<float>(pick) * 0.01f;
}
