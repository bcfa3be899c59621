// The picture under the mask turned about the centre, on an ellipse.
#pragma once

#include "effects/screenfx/central_based.h"

class KV_RotationFX : public KV_CentralBased {
public:
    KV_RotationFX();
    KV_RotationFX(const KV_RotationFX&) = default;

    void Write(KV_IOF_Virtual& archive) const override;
    void Update(float time) override;
    void Render(KV_ABRender& renderer) override;
    std::unique_ptr<KV_FX_Constructor> Clone() const override;
    void Read(KV_IOF_Virtual& archive, DWORD version);

    UINTSclaleTo<float> ellipseRatio{0, 0.001f, 0.0f};
    MediaParamT<unsigned int> ellipseAngle{0};
    MediaParamT<int> rotateReverse{0};
    float rotation = 0.0f;
};
