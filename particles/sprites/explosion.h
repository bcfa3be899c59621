// A noise-driven fireball: one quad at the position, drawn from a gradient
// picture and a noise picture whose offsets drift and change every whole
// second of its clock; it grows while it fades in and starts over each
// time its time line hides it.
#pragma once

#include "particles/sprites/stat_base_fx_ctrl.h"
#include "scene/model/media_color.h"
#include "scene/model/media_direction.h"
#include "scene/render/d3d_helpers.h"

class KV_ExplosionConstructor : public SpriteKind<KV_ExplosionConstructor, KV_StatBaseFXCtrl> {
public:
    KV_ExplosionConstructor();

    void Write(KV_IOF_Virtual& archive) const override;
    void Read(KV_IOF_Virtual& archive, DWORD version);

    // The time line and clock as every object's, the noise sequence from
    // its first pair.
    void Reset() override;
    void UpdateParticle(SpriteInstance& instance) override;
    // The effect, the gradient (the image) and the noise (the second
    // image), and the first noise offset.
    void LoadResources() override;
    bool SetupEffect(KV_ABRender& renderer, ParticleGeomArray& geometry) override;

    // The next noise offset: from the shared generator, or in random mode 0
    // the next pair of the seed's sequence (which leaves the generator
    // seeded for whatever draws next).
    void PickNoiseOffset();

    D3DXVECTOR2 PreviousOffset() const { return m_previousOffset; }
    D3DXVECTOR2 CurrentOffset() const { return m_currentOffset; }

    UINTSclaleTo<float> noise1{21, -0.01f, 1.0f};
    UINTSclaleTo<float> noise2{15, 0.01f, 0.0f};
    UINTSclaleTo<float> noise3{42, 0.01f, 0.0f};
    // The noise drifts against the rotated x axis.
    MediaDirection drift;
    MediaSpeedParam driftSpeed{50, 0.005f, 0.0f};
    MediaParamT<unsigned int> seed;
    MediaParamT<int> randomMode;
    MediaColor secondColour;

private:
    // The time line's values of a version-1 record, in milliseconds.
    void ApplyOldTimes(const DWORD (&milliseconds)[5]);
    void RestartNoise();

    TextureHolder m_gradient;
    TextureHolder m_noise;
    D3DXVECTOR2 m_previousOffset{0, 0};
    D3DXVECTOR2 m_currentOffset{0, 0};
    float m_wholeSecond = 0.0f;
    int m_offsetCounter = 1;
};
