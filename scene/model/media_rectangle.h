// A rectangle of whole picture pixels (y grows downward, top <= bottom)
// and two further integers whose meaning is the owner's.
#pragma once

#include "scene/model/undo_ctrl.h"

#include <array>

class KV_IOF_Virtual;

class MediaRectangle : public MediaParam {
public:
    MediaRectangle() = default;
    MediaRectangle(const MediaRectangle&) = default;

    // Six ints: left, right, top, bottom and the two further integers,
    // stored directly (no notification).
    void Read(KV_IOF_Virtual& archive);
    void Write(KV_IOF_Virtual& archive) const;
    // A point of picture pixels; the edges count as inside.
    bool ContainsPoint(float x, float y) const
    {
        return static_cast<float>(left.Value()) <= x && x <= static_cast<float>(right.Value()) &&
               static_cast<float>(top.Value()) <= y && y <= static_cast<float>(bottom.Value());
    }

    MediaParamT<int> left;
    MediaParamT<int> right;
    MediaParamT<int> top;
    MediaParamT<int> bottom;
    MediaParamTB<int> extra1;
    MediaParamTB<int> extra2;

private:
    // The six values in stored order.
    std::array<MediaParamTB<int>*, 6> Fields() { return {&left, &right, &top, &bottom, &extra1, &extra2}; }
    std::array<const MediaParamTB<int>*, 6> Fields() const
    {
        return {&left, &right, &top, &bottom, &extra1, &extra2};
    }
};
