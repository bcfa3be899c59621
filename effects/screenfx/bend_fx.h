// The picture bent about the centre: a swirl whose angle swings back and
// forth, inside the placement alone or over the whole picture.
#pragma once

#include "effects/screenfx/central_based.h"

class KV_BendFX : public KV_CentralBased {
public:
    KV_BendFX();
    KV_BendFX(const KV_BendFX&) = default;

    void Write(KV_IOF_Virtual& archive) const override;
    void LoadResources(MaskSlot& slot) override;
    void Update(float time) override;
    void Render(KV_ABRender& renderer) override;
    std::unique_ptr<KV_FX_Constructor> Clone() const override;
    void Read(KV_IOF_Virtual& archive, DWORD version);

    UINTSclaleTo<float> bendForward{0, 0.002f, 0.0f};
    UINTSclaleTo<float> bendBack{0, 0.002f, 0.0f};
    UINTSclaleTo<float> bendStrength{0, 0.02f, 0.0f};
    MediaParamT<int> bendMode{0};
    float bendAngle = 0.0f;
};
