#include "scene/model/float_convert.h"

int RoundToInt(float value)
{
    return SaturatingTruncate<int>(std::nearbyint(static_cast<double>(value)));
}
