// Brightening inside the mask: a smooth pulse, a blink or a flicker.
#pragma once

#include "effects/screenfx/fx_constructor.h"

class KV_LightFX : public KV_FX_Constructor {
public:
    KV_LightFX();
    KV_LightFX(const KV_LightFX&) = default;

    void Write(KV_IOF_Virtual& archive) const override;
    void Render(KV_ABRender& renderer) override;
    std::unique_ptr<KV_FX_Constructor> Clone() const override;
    void Read(KV_IOF_Virtual& archive, DWORD version);

    UINTSclaleTo<float> lightStrength{40, 0.01f, 0.0f};
    MediaParamT<int> lightMode{0};
};
