// The wobble of a picture seen under water; drawn by the underwater
// background layer over its whole frame.
#pragma once

#include "effects/screenfx/fx_constructor.h"

class KV_UnderwaterFX : public KV_FX_Constructor {
public:
    KV_UnderwaterFX();
    KV_UnderwaterFX(const KV_UnderwaterFX&) = default;

    void Write(KV_IOF_Virtual& archive) const override;
    void Render(KV_ABRender& renderer) override;
    std::unique_ptr<KV_FX_Constructor> Clone() const override;
    // The whole record: its frame, the two values, the base part.
    static std::unique_ptr<KV_UnderwaterFX> ReadNew(KV_IOF_Virtual& archive);
    // The record after its frame, into this description.
    void ReadFields(KV_IOF_Virtual& archive);
    // Whether Render draws on this renderer: an effect, a picture, a scale.
    bool Draws(const KV_ABRender& renderer) const { return CanDrawScreenPass(renderer); }

    UINTSclaleTo<float> wobbleAmplitude{50, 0.000125f, 0.0f};
    UINTSclaleTo<float> wobbleLength{50, 0.002f, 0.001f};
};
