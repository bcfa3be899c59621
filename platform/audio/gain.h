// DirectSound's and DirectShow's level units as linear factors.
#pragma once

#include <windef.h>

namespace platform::audio {

struct StereoGain {
    float left = 1.0f;
    float right = 1.0f;
};

// Hundredths of a decibel: 0 is full level, -10000 and below is silence.
float GainOfHundredthsDb(LONG level);

// A volume and a pan (or balance) in hundredths of a decibel: the side the
// pan points away from is attenuated by its magnitude.
StereoGain GainOfVolumeAndPan(LONG volume, LONG pan);

}  // namespace platform::audio
