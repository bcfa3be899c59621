// Float-to-integer conversions that stay defined for NaN and for values
// outside the target's range (document values are not trusted).
#pragma once

#include <cmath>
#include <concepts>
#include <limits>

// Truncates toward zero; NaN gives 0, out-of-range values give the nearest limit.
template <std::integral I, std::floating_point F>
I SaturatingTruncate(F value)
{
    if (std::isnan(value))
        return 0;
    if (value <= static_cast<F>(std::numeric_limits<I>::min()))
        return std::numeric_limits<I>::min();
    if (value >= static_cast<F>(std::numeric_limits<I>::max()))
        return std::numeric_limits<I>::max();
    return static_cast<I>(value);
}

// Rounds to nearest, ties to even (the processor's default mode), saturating.
int RoundToInt(float value);
