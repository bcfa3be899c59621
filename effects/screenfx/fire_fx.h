// Animated flames on a grid over the placement: a pattern picture stirred
// by three scrolling layers of a noise picture and coloured by a ramp
// between two colours. The flame background layer draws the same flames
// on a quad of its own.
#pragma once

#include "effects/screenfx/fx_constructor.h"
#include "scene/model/media_color.h"
#include "scene/resources/kv_imagefilelink.h"

class KV_SimpleMesh;

class KV_FireFX : public KV_FX_Constructor {
public:
    KV_FireFX();
    KV_FireFX(const KV_FireFX&) = default;

    void Write(KV_IOF_Virtual& archive) const override;
    void LoadResources(MaskSlot& slot) override;
    void BuildMesh() override;
    void Render(KV_ABRender& renderer) override;
    std::unique_ptr<KV_FX_Constructor> Clone() const override;
    // It draws its own grid and never the scene under it.
    bool ReadsScene() const override { return false; }

    // The flame parameters for the mesh's frame: its transforms, both
    // pictures and the three layers' scroll.
    void SetLightParams(const KV_SimpleMesh& mesh);

    // The factory's reader; the flame layer reads the frame itself and
    // calls ReadFields.
    void Read(KV_IOF_Virtual& archive, DWORD version) { ReadFields(archive, *this, version); }
    static void ReadFields(KV_IOF_Virtual& archive, KV_FireFX& fire, DWORD version);
    static void WriteFields(KV_IOF_Virtual& archive, const KV_FireFX& fire);

    MediaColor fireColour1;
    MediaColor fireColour2;
    MediaParamT<int> fireExtraInt{0};
    KV_ImageFileLink firePatternLink;
    KV_ImageFileLink fireNoiseLink;
    UINTSclaleTo<float> fireDensity{100, 0.01f, -1.0f};
    UINTSclaleTo<float> fireBrightness{15, 0.02f, 0.0f};
    UINTSclaleTo<float> fireZoom{100, 0.01f, 0.0f};
    TextureHolder firePatternTexture;
    TextureHolder fireNoiseTexture;

private:
    // The colours, the spare int and the links.
    static void ReadLooks(KV_IOF_Virtual& archive, KV_FireFX& fire);
    static void ReadScales(KV_IOF_Virtual& archive, KV_FireFX& fire);
};
