// A colour blended into the masked area by one of four blend modes.
#pragma once

#include "effects/screenfx/fx_constructor.h"
#include "scene/model/media_color.h"

class KV_LightFX_II : public KV_FX_Constructor {
public:
    KV_LightFX_II();
    KV_LightFX_II(const KV_LightFX_II&) = default;

    void Write(KV_IOF_Virtual& archive) const override;
    void Render(KV_ABRender& renderer) override;
    std::unique_ptr<KV_FX_Constructor> Clone() const override;
    void Read(KV_IOF_Virtual& archive, DWORD version);

    UINTSclaleTo<float> blendStrength{0, 0.01f, 0.0f};
    MediaParamT<int> pulseMode{0};
    MediaParamT<int> blendMode{0};
    MediaColor blendColour;
};
