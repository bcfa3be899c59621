// A background layer that shows the whole slide as if seen through moving
// water: the picture and every object are captured, and the underwater
// wobble draws the captured frame at the end.
#pragma once

#include "effects/screenfx/underwater_fx.h"
#include "scene/light/kv_2d_light.h"

class FakeUndervater : public KV_2D_Light {
public:
    void Read(KV_IOF_Virtual& archive, DWORD version);
    void Write(KV_IOF_Virtual& archive) const override;

    void Create() override;
    void DrawBorders(int flag) override;
    void FrameMove(float time) override;
    // Only while its effect can draw the frame: a capture nothing shows
    // would leave the slide black.
    bool NeedsSceneTexture() const override { return effect.Draws(*this); }

    KV_UnderwaterFX effect;
};
