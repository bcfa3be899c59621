// A background layer that shows the whole rendered frame only through a
// glass ball: a square in a perspective view whose second texture stage
// reads the captured frame at coordinates bent by a hemisphere bump map,
// cut to a circle by a mask over a gradient or picture background, with
// optional highlights above it and a stand below.
#pragma once

#include <windows.h>

#include <d3dx9.h>

#include "scene/light/kv_2d_light.h"
#include "scene/model/media_color.h"
#include "scene/model/scaled_param.h"
#include "scene/model/undo_ctrl.h"

class KV_GlassBallLight : public KV_2D_Light {
public:
    KV_GlassBallLight();

    void Read(KV_IOF_Virtual& archive, DWORD version);
    void Write(KV_IOF_Virtual& archive) const override;

    void PushRenderTarget(const RenderTargetPair& pair, int mode) override;
    void PopRenderTarget() override;
    void Create() override;
    void RestoreDeviceObjects() override;
    void InvalidateDeviceObjects() override;
    void DrawBorders(int flag) override;
    void RenderBackground(int flag) override;
    void FrameMove(float time) override;
    void Resize(int width, int height) override;
    void SetPicturePosition(int mode) override;
    bool NeedsSceneTexture() const override { return true; }

    void UseGradientTexture();
    void ChooseBackground();
    void LoadBackgroundPicture();
    void UpdateSizing();
    void SetBallTransforms(bool firstPass);

    KV_ImageFileLink overlayImage1;
    KV_ImageFileLink overlayImage2;
    KV_ImageFileLink baseImage;
    KV_ImageFileLink backgroundPicture;
    UINTSclaleTo<float> motionSpeed{0, 0.02f, 1.0f};
    MediaParamTB<POINT> ballOffset{POINT{0, 0}};
    MediaParamT<unsigned int> ballSize{100};
    MediaParamT<unsigned int> lensStrength{0};
    MediaParamT<int> showOverlay1{1};
    MediaParamT<int> showOverlay2{1};
    MediaParamT<int> showBase{0};
    MediaParamT<int> usePictureBackground{0};
    MediaParamT<int> motionMode{3};
    MediaColor gradientTop;
    MediaColor gradientBottom;

    VertexBufferHolder ballQuad;
    VertexBufferHolder lowerQuad;
    float sway = 0.0f;
    TextureHolder bumpMap;
    TextureHolder mask;
    TextureHolder gradient;
    TextureRecord backgroundRecord;
    TextureHolder overlay1Texture;
    TextureHolder overlay2Texture;
    TextureHolder baseTexture;
    KV_SimpleMesh borderQuads[4];
    TexturedQuad backgroundQuad;
    TexturedQuad scrollQuadA;
    TexturedQuad scrollQuadB;
    float ballDistance = -600.0f;
    float ballScale = 1.0f;
    float swayAmplitude = 0.0f;
    float scaleY = 1.0f;
    float scaleX = 1.0f;
    int layoutMode = 1;
    int savedLayoutMode = 1;
    float offsetX = 0.0f;
    float offsetY = 0.0f;
    float zoomX = 1.0f;
    float zoomY = 1.0f;
    bool inPushedTarget = false;
    int savedWidth = 0;
    int savedHeight = 0;
    D3DXMATRIX textureProjection;

private:
    // The size the ball is placed in: the pushed target's or the back buffer's.
    void PlacementSize(float& w, float& h) const;
    void LayoutBackground(int mode);
    void PlaceBorderQuads(const ScreenQuad& fitted, float w2, float h2);
    // The captured frame copied into the other target, scrolled and wrapped.
    void DrawScrolledCapture();
    void DrawBall(IDirect3DVertexBuffer9* quad);
};

namespace glass_ball {

// The motion phase every glass-ball layer advances, with the time of its
// last advance.
struct MotionPhase {
    float phase = 0.0f;
    float previous = 0.0f;
    bool started = false;
};
MotionPhase& SharedMotionPhase();

} // namespace glass_ball
