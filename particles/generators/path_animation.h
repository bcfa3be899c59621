// One sprite that runs at a steady speed along the path and back, its
// picture's frames stepping, turned along its way or mirrored by it.
#pragma once

#include "particles/generators/path_generator.h"

class KV_PathAnimtion : public KV_PathGenerator {
public:
    enum Orientation { kPlain = 0, kAlongMotion = 1, kMirrorMovingLeft = 2, kMirrorMovingDown = 3 };

    // Where the sprite is along the path: an index into its owner's path,
    // so that a copy walks its own.
    struct Cursor {
        float distance = 0.0f;
        size_t point = 0;
        bool backward = false;
    };

    void Write(KV_IOF_Virtual& archive) const override { WriteRecord(archive); }
    std::unique_ptr<KV_ParticleGenerator> Clone() const override;
    // Two points across the middle of the picture for a description whose
    // flag is 0; the sprite at the first point.
    void RestoreResources(KV_ParticlesObj& object) override;
    void Update(float t, KV_ParticlesObj& object) override;
    void Render(KV_ABRender& renderer, KV_ParticlesObj& object) override;

    // Version 2 adds the animation speed (100 before).
    void Read(KV_IOF_Virtual& archive, DWORD version);
    void ReadFields(KV_IOF_Virtual& archive, DWORD version);
    void WriteRecord(KV_IOF_Virtual& archive) const;
    void WriteFields(KV_IOF_Virtual& archive) const;

    // The speed's step further along, turning at both ends; a path of
    // fewer than two points or of no length holds the sprite at its first.
    void MoveCursor();
    // The sprite's quad at its new position.
    void FillSprite(KV_ParticlesObj& object);

    // Its step is the distance of a frame, in pixels.
    MediaSpeedParam travelSpeed{0, 3.0f};
    // Its phase steps the picture's frames.
    MediaSpeedParam animationSpeed{100, 0.01f};
    // Of the picture's size.
    UINTSclaleTo<float> size{0, 0.01f};
    MediaParamT<int> orientation;
    MediaParamT<int> spriteVerticalMirror;
    MediaParamT<int> spriteHorizontalMirror;
    D3DXVECTOR3 previousPosition{0, 0, 0};
    D3DXVECTOR3 position{0, 0, 0};
    Cursor cursor;

private:
    const D3DXVECTOR3& PointAt(size_t i) const { return path[i].position->Value(); }
    size_t NextPoint() const;
    void AdvanceSegment();
    // Twice the path's length.
    float RoundTrip() const;

    // The way a sprite turned along its motion faces while it stands.
    D3DXVECTOR3 m_heading{1, 0, 0};
};
