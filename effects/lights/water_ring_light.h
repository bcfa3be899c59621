// A background layer that shows the picture, or the whole rendered scene,
// through a rippling water surface on which drops fall and spread as
// rings: a lit height field seen from above through an orthographic camera.
#pragma once

#include <memory>

#include "effects/lights/ripple_grid.h"
#include "scene/light/kv_2d_light.h"
#include "scene/model/scaled_param.h"
#include "scene/model/undo_ctrl.h"

class KV_WaterRingLight : public KV_2D_Light {
public:
    KV_WaterRingLight();

    void Read(KV_IOF_Virtual& archive, DWORD version);
    void Write(KV_IOF_Virtual& archive) const override;

    void DrawSprites(const KV_IndexedMesh& mesh, ID3DXEffect* effect, UINT primitiveCount) override;
    void DrawMeshParts(const MeshNode& node) override;
    void DrawMeshTwoTextures(const KV_SpriteArrayObj& sprites) override;
    void DrawMeshPartsTwoPass(const MeshNode& node) override;
    void Create() override;
    void RestoreDeviceObjects() override;
    void InvalidateDeviceObjects() override;
    void DrawBorders(int flag) override;
    void RenderBackground(int flag) override;
    void FrameMove(float time) override;
    void Resize(int width, int height) override;
    void SetPicturePosition(int mode) override;
    void DrawOverlay(const KV_SimpleMesh* quad) override;
    void DrawTexturedOverlay(const TexturedQuad& quad) override;
    void BeginSceneCapture() override;
    const RenderTargetPair& EndSceneCapture(bool clear) override;
    bool NeedsSceneTexture() const override { return refractScene.Value() == 1; }

    void ResizeGrid();
    void DrawSurface(IDirect3DTexture9* texture);

    MediaParamT<int> refractScene{0};
    MediaParamT<unsigned int> waveRate{0};
    MediaParamT<unsigned int> rowDensity{0};
    MediaParamT<unsigned int> columnDensity{0};
    MediaParamT<unsigned int> dropSize{50};
    MediaParamT<unsigned int> waveDamping{50};
    MediaParamT<unsigned int> refractionDepth{20};
    UINTSclaleTo<float> dropsPerSecond{30, 1.0f / 60.0f};
    UINTSclaleTo<float> specularLevel{90, 0.01f};
    UINTSclaleTo<float> specularPower{50, 0.8f};
    std::unique_ptr<RippleGrid> grid = std::make_unique<RippleGrid>();
    D3DXVECTOR3 lightDirection{0.5f, -1.0f, 1.0f};
    D3DCOLORVALUE lightColour{1, 1, 1, 1};
    D3DXMATRIX surfaceWorld;
    D3DXMATRIX surfaceView;
    D3DXMATRIX surfaceCamera;
    D3DXMATRIX surfaceProjection;
    float lastDropTime = 0.0f;

private:
    void SetMaterial() const;
    // The picture's height over width; a missing or broken one counts as 1.
    float PictureAspect() const;
    template <class Draw>
    void Unlit(Draw draw);

    int m_positionBeforeCapture = 1;
};
