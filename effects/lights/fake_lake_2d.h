// A background layer that turns the lower part of the picture into a lake:
// the band above a horizon mirrored into the strip below it through a
// bump-mapped water plane whose ripples turn, under two fading tints. The
// water's normal map is stored in the document under the layer's key.
#pragma once

#include "effects/lights/lake_geometry.h"
#include "scene/light/kv_2d_light.h"
#include "scene/model/media_color.h"
#include "scene/model/scaled_param.h"
#include "scene/model/undo_ctrl.h"
#include "scene/resources/resource_key.h"

class FakeLake2D : public KV_2D_Light {
public:
    FakeLake2D();

    void Read(KV_IOF_Virtual& archive, DWORD version);
    void Write(KV_IOF_Virtual& archive) const override;
    void DrawTexturedQuad(TexturedIndexedQuad& quad) override;

    void Create() override;
    void RestoreDeviceObjects() override;
    void RenderBackground(int flag) override;
    void FrameMove(float time) override;
    void ReloadPicture() override;

    // The horizon's share of the picture height, kept within 0 .. 0.5.
    float HorizonLine() const;
    void CreatePlaneBuffer();
    void LayoutWater();
    void PlaceTintQuads(const ScreenQuad& water);
    void SetTintAlphas();
    void SetTintColour();
    void SetBumpStates();

    MediaSpeedParam waveSpeed{50, 0.02f};
    UINTSclaleTo<float> rippleTiling{100, 0.01f};
    UINTSclaleTo<float> horizon{25, -0.005f, 0.5f};
    UINTSclaleTo<float> normalMapScale{100, 0.01f};
    UINTSclaleTo<float> tintStrength{31, 0.008f};
    UINTSclaleTo<float> tintFade{58, 0.01f};
    MediaParamT<unsigned int> normalAmplitude{25};
    MediaParamT<unsigned int> shoreBand{7};
    MediaParamT<int> copySizeExponent{1};
    MediaColor lakeTint;
    TexturedQuad overlayQuad;
    // The square copy of the picture the water reflects.
    TextureHolder pictureCopy;
    KV_SimpleMesh waterTint;
    KV_SimpleMesh shoreTint;
    float bumpMatrix[4] = {0.04f, 0.0f, 0.0f, 0.04f};
    lake::Plane plane{};
    KV_SimpleMesh waterPlane;
    GuidKey normalMapKey;
    TextureHolder normalMap;

private:
    void UploadPlane();
    void MakePictureCopy();
    void DrawWater();
};
