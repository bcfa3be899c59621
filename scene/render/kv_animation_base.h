// An animation controller: attached to one frame, it writes that frame's
// world matrix from the frame's local matrix each time the hierarchy is
// updated. Owned and deleted by its frame.
#pragma once

class KV_Frame;

class KV_AnimationBase {
public:
    virtual ~KV_AnimationBase() = default;
    virtual void Apply(KV_Frame& frame) = 0;
    void SetTime(float t) { time = t; }

    float time = 0.0f;
};
