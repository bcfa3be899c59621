// A bump-mapped water surface over the masked area.
#pragma once

#include <array>

#include "effects/screenfx/fx_constructor.h"
#include "scene/model/bound_control_list.h"
#include "scene/model/media_color.h"
#include "scene/resources/kv_imagefilelink.h"

class KV_WaterFX : public KV_FX_Constructor {
public:
    KV_WaterFX();
    // The copy binds its own observer and derives its direction again.
    KV_WaterFX(const KV_WaterFX& other);

    void Write(KV_IOF_Virtual& archive) const override;
    void LoadResources(MaskSlot& slot) override;
    void Update(float time) override;
    void Render(KV_ABRender& renderer) override;
    std::unique_ptr<KV_FX_Constructor> Clone() const override;
    void Read(KV_IOF_Virtual& archive, DWORD version);

    void UpdateDirection();

    UINTSclaleTo<float> surfaceLevel{20, 0.0001f, 0.0f};
    UINTSclaleTo<float> bumpStrength{20, 0.001f, 0.0f};
    UINTSclaleTo<float> flowScale{20, 0.00025f, 0.0f};
    UINTSclaleTo<float> waveLength{20, 0.0005f, 0.001f};
    MediaParamT<unsigned int> flowAngle{40};
    UINTSclaleTo<float> shadowStrength{0, 0.01f, 0.0f};
    UINTSclaleTo<float> lightHeight{0, 0.1f, 0.0f};
    MediaColor waterColour;
    KV_ImageFileLink bumpLink;
    TextureHolder bumpTexture;
    std::array<float, 4> bumpTransform{};
    D3DXVECTOR4 flowDirection{1, 0, 0, 0};

private:
    void BindDirection();

    // Destroyed before the parameter it observes.
    BoundControlList m_controls;
};
