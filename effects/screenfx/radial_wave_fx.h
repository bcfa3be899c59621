// Circular waves running out of the centre inside the mask.
#pragma once

#include "effects/screenfx/central_based.h"

class KV_RadialWaveFX : public KV_CentralBased {
public:
    KV_RadialWaveFX();
    KV_RadialWaveFX(const KV_RadialWaveFX&) = default;

    void Write(KV_IOF_Virtual& archive) const override;
    void Render(KV_ABRender& renderer) override;
    std::unique_ptr<KV_FX_Constructor> Clone() const override;
    // The factory's reader.
    void Read(KV_IOF_Virtual& archive, DWORD version) { ReadFields(archive, version); }
    // A first version carries no wave values.
    void ReadFields(KV_IOF_Virtual& archive, DWORD version);

    UINTSclaleTo<float> ringAmplitude{50, 0.00025f, 0.0f};
    UINTSclaleTo<float> ringLength{50, 0.0001f, 0.001f};
    UINTSclaleTo<float> ringZoom{50, 1.0f, 25.0f};
    MediaParamT<int> ringDirectionFlag{0};
};
