// A rectangle of whole picture pixels (y grows downward, top <= bottom)
// and two further integers whose meaning is the owner's.
#pragma once

#include "scene/model/undo_ctrl.h"

class MediaRectangle : public MediaParam {
public:
    MediaRectangle() = default;
    MediaRectangle(const MediaRectangle&) = default;

    MediaParamT<int> left;
    MediaParamT<int> right;
    MediaParamT<int> top;
    MediaParamT<int> bottom;
    MediaParamTB<int> extra1;
    MediaParamTB<int> extra2;
};
