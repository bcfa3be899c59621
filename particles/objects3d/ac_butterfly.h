// A butterfly flying about inside its description's rectangle: it steers
// back in when it leaves, flaps or glides, and beats its two wings.
#pragma once

#include <memory>

#include "particles/objects3d/smooth_value.h"
#include "scene/model/bound_control_list.h"
#include "scene/render/kv_animation_base.h"

#include <d3dx9math.h>

class KV_3D_Obj_Ctrl;

// One wing frame: its local matrix times the wing matrix the butterfly set.
class AC_ButterflyWing : public KV_AnimationBase {
public:
    AC_ButterflyWing();
    void Apply(KV_Frame& frame) override;

    D3DXMATRIX matrix;
    BYTE faceOrder = 1;
};

class AC_Butterfly : public KV_AnimationBase {
public:
    enum State { Flapping = 0, Gliding = 1 };

    // Reads the description's clock, rectangle and size every frame.
    explicit AC_Butterfly(KV_3D_Obj_Ctrl& description);
    ~AC_Butterfly() override;

    void Apply(KV_Frame& frame) override;
    // Wing i (0 or 1) for its frame, which owns it from then on.
    std::unique_ptr<AC_ButterflyWing> ReleaseWing(int i);

    void AdvanceValues(float step);
    // Turns back towards the rectangle when outside it; gliding above it.
    void KeepInside();
    void OnSizeChanged(unsigned int size);

    KV_3D_Obj_Ctrl& description;
    AC_ButterflyWing* wings[2];
    float flapAngle = 0.0f;
    float flapSpeed = 100.0f;
    float flapUpper = 55.0f;
    float flapLower = -55.0f;
    D3DXVECTOR3 position;
    SmoothValue vertical{50.0f, 50.0f, 250.0f};
    SmoothValue heading;
    SmoothValue bank{0.0f, 0.0f, 50.0f};
    SmoothValue forward{50.0f, 50.0f, 350.0f};
    D3DXMATRIX pitch;
    D3DXMATRIX mirror;
    D3DXMATRIX size;
    int state = Flapping;
    int requestedState = Flapping;
    float lastDecision = 0.0f;

private:
    // Flap angle, wing matrices and the body's bob for this step.
    D3DXMATRIX Flap(float step);
    // Switches between flapping and gliding, and now and then draws a new
    // course.
    void Decide(float clock);

    std::unique_ptr<AC_ButterflyWing> m_unclaimedWings[2];
    BoundControlList m_bindings;
};
