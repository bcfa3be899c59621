// Colour layers and a noise distortion falling along the direction inside
// the mask, on a grid over the placement.
#pragma once

#include <vector>

#include "effects/screenfx/direction_based.h"
#include "scene/model/media_color.h"
#include "scene/resources/kv_imagefilelink.h"

class KV_WaterfallFX : public KV_DirectionBased {
public:
    // One colour wave: where it has fallen to, and how much of it shows.
    struct Layer {
        float shiftX = 0.0f;
        float shiftY = 0.0f;
        float translucency = 0.0f;
    };
    // A stored count sizes the layers and the draws of every frame.
    static constexpr unsigned int kMaxLayers = 256;

    KV_WaterfallFX();
    KV_WaterfallFX(const KV_WaterfallFX&) = default;

    void Write(KV_IOF_Virtual& archive) const override;
    void LoadResources(MaskSlot& slot) override;
    void Update(float time) override;
    void Render(KV_ABRender& renderer) override;
    std::unique_ptr<KV_FX_Constructor> Clone() const override;
    // It draws its own grid and never the scene under it.
    bool ReadsScene() const override { return false; }
    void Read(KV_IOF_Virtual& archive, DWORD version);

    void DrawNoise(KV_ABRender& renderer);
    void DrawColorWaves(KV_ABRender& renderer);

    UINTSclaleTo<float> layerOpacity{0, -0.01f, 1.0f};
    MediaParamT<unsigned int> layerCount{0};
    UINTSclaleTo<float> noiseAmplitude{0, 0.0001f, 0.0f};
    UINTSclaleTo<float> reservedValue{0, 1.0f, 0.0f};
    UINTSclaleTo<float> threshold{0, -0.001f, 1.0f};
    KV_ImageFileLink noiseLink;
    MediaColor baseColour;
    MediaParamT<int> drawDisabled{0};
    std::vector<Layer> layers;
    TextureHolder noiseTexture;
    D3DXVECTOR2 noiseShift{0, 0};
};
