// A control that counts the notifications it receives.
#pragma once

#include "scene/model/media_param.h"

#include <vector>

class RecordingControl : public MediaControl {
public:
    void Detach() override { ++detachCount; }
    void OnChanged(MediaControl* source) override { sources.push_back(source); }

    std::vector<MediaControl*> sources;
    int detachCount = 0;
};

// An observing control that leaves its parameter's list when destroyed.
class ObservingControl : public MediaControlT<MediaParamTB<int>> {
public:
    using MediaControlT<MediaParamTB<int>>::MediaControlT;
    void OnChanged(MediaControl*) override {}
};
