// The picture under the mask swung back and forth along the direction.
#pragma once

#include "effects/screenfx/direction_based.h"

class KV_MoveFX : public KV_DirectionBased {
public:
    KV_MoveFX();
    KV_MoveFX(const KV_MoveFX&) = default;

    void Write(KV_IOF_Virtual& archive) const override;
    void Update(float time) override;
    void Render(KV_ABRender& renderer) override;
    std::unique_ptr<KV_FX_Constructor> Clone() const override;
    // The factory's reader.
    void Read(KV_IOF_Virtual& archive, DWORD version) { ReadFields(archive, version); }
    void ReadFields(KV_IOF_Virtual& archive, DWORD version);

    MediaParamT<int> moveMode{0};
    UINTSclaleTo<float> returnStrength{0, 0.0002f, 0.0f};
    D3DXVECTOR2 moveOffset{0, 0};
};
