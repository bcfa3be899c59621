// Straight waves travelling across the masked area.
#pragma once

#include "effects/screenfx/fx_constructor.h"
#include "scene/model/bound_control_list.h"

class KV_WavesFX : public KV_FX_Constructor {
public:
    KV_WavesFX();
    // The copy binds its own observers and derives its vectors again.
    KV_WavesFX(const KV_WavesFX& other);

    void Write(KV_IOF_Virtual& archive) const override;
    void Render(KV_ABRender& renderer) override;
    std::unique_ptr<KV_FX_Constructor> Clone() const override;
    void Read(KV_IOF_Virtual& archive, DWORD version);

    // The travel direction and the displacement direction from the angle.
    void UpdateVectors();

    UINTSclaleTo<float> waveAmplitude{50, 0.00025f, 0.0f};
    UINTSclaleTo<float> waveLength{50, 0.0005f, 0.001f};
    MediaParamT<unsigned int> waveAngle{0};
    MediaParamT<int> waveCrossFlag{0};
    D3DXVECTOR4 waveDirection{1, 0, 0, 0};
    D3DXVECTOR4 waveNormal{0, 1, 0, 0};

private:
    void BindVectors();

    // Destroyed before the parameters it observes.
    BoundControlList m_controls;
};
