// A sprite shown at a stored position and rotation, whose placement is the
// box around the rotated sprite; flowers that sway about their base; and
// discharges that jump to a random strip frame.
#pragma once

#include "particles/sprites/particle_system_ctrl.h"

class KV_StatObjConstructor : public SpriteKind<KV_StatObjConstructor> {
public:
    KV_StatObjConstructor();
    KV_StatObjConstructor(const KV_StatObjConstructor& other) = default;

    void Write(KV_IOF_Virtual& archive) const override;
    ScreenQuad GetScreenQuad() const override;
    bool HitTest(float x, float y) const override;
    void InitParticle(SpriteInstance& instance) override;

    void Read(KV_IOF_Virtual& archive, DWORD version);
    void WriteRecord(KV_IOF_Virtual& archive) const;
    void ReadRecord(KV_IOF_Virtual& archive);

    void PlaceInstance(SpriteInstance& instance);
    // The placement's edges around the quad as it was placed.
    void UpdateBounds(const SpriteInstance& instance);

    float PositionX() const { return static_cast<float>(placement.extra1.Value()); }
    float PositionY() const { return static_cast<float>(placement.extra2.Value()); }

    // Edges in pixels; the two further values are the position.
    MediaRectangle placement;
    MediaParamT<unsigned int> rotation{0};
    D3DXMATRIX rotationMatrix;
};

class KV_FlowerConstructor : public SpriteKind<KV_FlowerConstructor, KV_StatObjConstructor> {
public:
    KV_FlowerConstructor();

    void Write(KV_IOF_Virtual& archive) const override;
    void UpdateParticle(SpriteInstance& instance) override;
    D3DCOLOR ModulateColor(D3DCOLOR argb) const override;

    void Read(KV_IOF_Virtual& archive, DWORD version);

    // Degrees.
    float amplitude = 1.5f;
};

class KV_DischargeConstructor : public SpriteKind<KV_DischargeConstructor, KV_StatObjConstructor> {
public:
    void Write(KV_IOF_Virtual& archive) const override;
    // Any frame but the given one; with fewer than two frames the given one.
    unsigned NextFrame(unsigned frame) const override;

    void Read(KV_IOF_Virtual& archive, DWORD version);
};
