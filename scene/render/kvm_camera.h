// The background's wandering camera: while enabled in wander mode it pans
// the zoomed picture between random points, easing in and out of every move
// and sometimes resting. It also names the texture of the border quads.
#pragma once

#include <windows.h>

#include <memory>

#include "scene/model/kv_iof_item.h"
#include "scene/model/scaled_param.h"
#include "scene/model/undo_ctrl.h"
#include "scene/resources/kv_imagefilelink.h"

class KV_IOF_Virtual;

class KVM_Camera : public KV_IOF_Item {
public:
    enum { ModeWander = 1 };

    // A pan segment: offsets in [-1, 1] of the free border, start and end in
    // phase units.
    struct Segment {
        float fromX = 0.0f, toX = 0.0f;
        float fromY = 0.0f, toY = 0.0f;
        float start = 0.0f, end = 0.0f;
    };

    KVM_Camera();
    KVM_Camera(const KVM_Camera&) = delete;
    KVM_Camera& operator=(const KVM_Camera&) = delete;

    static std::unique_ptr<KVM_Camera> ReadNew(KV_IOF_Virtual& archive);
    void Write(KV_IOF_Virtual& archive) const override;
    void Assign(const KVM_Camera& other);

    // Advances the phase to the application time and sets the current
    // rendering context's zoom and pan.
    void FrameMove(float time);
    // Starts the next move or rest at the phase.
    void NextSegment(float phase);
    // Sets the mode and starts again from the centre.
    void SetMode(int mode);

    MediaParamT<int> enable{0};
    UINTSclaleTo<float> zoom{120, 0.01f, 0.0f};
    MediaSpeedParam speed{50, 0.02f, 0.0f};
    MediaParamTB<int> mode{0};
    KV_ImageFileLink borderLink;
    Segment segment;
};
