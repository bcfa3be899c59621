// A duration between a minimum and a maximum, in hundredths of a second.
#pragma once

#include "scene/model/undo_ctrl.h"

class DurationRange {
public:
    // Random: a whole number of hundredths in [minimum, maximum]; fixed:
    // the minimum. A random range whose maximum is below its minimum
    // gives the minimum.
    float PickSeconds() const;

    MediaParamT<unsigned int> minimum{100};
    MediaParamT<unsigned int> maximum{100};
    // Not stored: every range read from a document is random.
    bool random = true;
};
