// The picture under the mask expanded and contracted about the centre.
#pragma once

#include "effects/screenfx/central_based.h"

class KV_ExpandFX : public KV_CentralBased {
public:
    KV_ExpandFX();
    KV_ExpandFX(const KV_ExpandFX&) = default;

    void Write(KV_IOF_Virtual& archive) const override;
    void Update(float time) override;
    void Render(KV_ABRender& renderer) override;
    std::unique_ptr<KV_FX_Constructor> Clone() const override;
    void Read(KV_IOF_Virtual& archive, DWORD version);

    UINTSclaleTo<float> expandAmount{50, 0.005f, 0.0f};
    UINTSclaleTo<float> contractAmount{0, 0.005f, 0.0f};
    MediaParamT<int> expandMode{0};
    float expandValue = 0.0f;
};
