#include "audio/gain.h"

#include <cmath>

namespace platform::audio {

float GainOfHundredthsDb(LONG level) {
    if (level <= -10000) return 0.0f;
    if (level >= 0) return 1.0f;
    return std::pow(10.0f, static_cast<float>(level) / 2000.0f);
}

StereoGain GainOfVolumeAndPan(LONG volume, LONG pan) {
    const float level = GainOfHundredthsDb(volume);
    StereoGain gain{level, level};
    if (pan > 0) gain.left *= GainOfHundredthsDb(-pan);
    if (pan < 0) gain.right *= GainOfHundredthsDb(pan);
    return gain;
}

}  // namespace platform::audio
