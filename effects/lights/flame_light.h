// A background layer that draws flames over the lower part of the picture
// and, when it distorts the scene, shows the whole finished frame through a
// scrolling bump map: a reader of the rendered scene that ends the capture
// itself.
#pragma once

#include "effects/lights/bump_distortion_pass.h"
#include "effects/screenfx/fire_fx.h"
#include "scene/light/kv_2d_light.h"
#include "scene/model/undo_ctrl.h"

class KV_FlameLight : public KV_2D_Light {
public:
    KV_FlameLight();

    void Read(KV_IOF_Virtual& archive, DWORD version);
    void Write(KV_IOF_Virtual& archive) const override;

    void Create() override;
    void RestoreDeviceObjects() override;
    void DrawBorders(int flag) override;
    void RenderBackground(int flag) override;
    void FrameMove(float time) override;
    bool NeedsSceneTexture() const override { return distortScene.Value() == 1; }
    void ReloadPicture() override;

    MediaParamT<int> showFlames{1};
    MediaParamT<int> distortScene{1};
    // Lowers the flames by 0.5 % of the picture height per unit.
    MediaParamT<unsigned int> flameDrop{0};
    KV_FireFX fire;
    BumpDistortionPass distortion;
    KV_SimpleMesh flameQuad;

private:
    void PlaceFlames(float width, float height);
};
