// An electric bolt between two points: jagged segments, one sprite each,
// rebuilt ten times a second and morphing from the previous path to the
// new one, drawn with a glow.
#pragma once

#include "particles/sprites/glow_effect_ctrl.h"

#include <vector>

struct BoltSegment {
    D3DXVECTOR3 centre{0, 0, 0};
    D3DXVECTOR3 direction{0, 0, 0};      // unit
    D3DXVECTOR3 perpendicular{0, 0, 0};  // unit
    float length = 0.0f;
};

class KV_DischargeFXConstructor : public SpriteKind<KV_DischargeFXConstructor, KV_GlowEffectCtrl> {
public:
    KV_DischargeFXConstructor();

    void Write(KV_IOF_Virtual& archive) const override;
    void Read(KV_IOF_Virtual& archive, DWORD version);

    // The effect, then the bolt pictures of the glow kind.
    void LoadResources() override;
    // Every new sprite starts both paths afresh.
    void InitParticle(SpriteInstance& instance) override;
    // Sprite k shows segment k of the path morphing towards the new one.
    void UpdateParticle(SpriteInstance& instance) override;
    // A new path when the last is over 0.1 s old on the clock, or when the
    // clock has started again since it was built.
    void BeginFrame() override;

    // The path's first count segments, from the start to the end point.
    void BuildPath(std::vector<BoltSegment>& path) const;
    // Segment i of the old path moved towards the new one by the factor.
    BoltSegment InterpolateSegment(size_t i, float factor) const;
    // The image link becomes the common module's bolt picture of the glow
    // kind, whatever the record stored; then both textures load.
    void LoadGlowImages();

    const std::vector<BoltSegment>& OldPath() const { return m_oldPath; }
    const std::vector<BoltSegment>& NewPath() const { return m_newPath; }
    float LastRebuild() const { return m_lastRebuild; }

    // Picture pixels; z is carried along.
    MediaParamT<D3DXVECTOR3> startPoint;
    MediaParamT<D3DXVECTOR3> endPoint;
    // How far a segment may wander sideways, times the distance still to go.
    UINTSclaleTo<float> jitter{50, 0.01f, 0.0f};
    // 0: the thin bolt picture; any other value the bright one.
    MediaParamT<int> glowKind{1};
    // Seconds between the flickers of a sprite.
    UINTSclaleTo<float> flickerPeriod{100, -0.001f, 0.1f};
    // How far a segment moves towards its new place per clock second.
    UINTSclaleTo<float> morphRate{50, 0.1f, 0.0f};

private:
    std::vector<BoltSegment> m_oldPath;
    std::vector<BoltSegment> m_newPath;
    size_t m_segmentCounter = 0;
    float m_lastRebuild = 0.0f;
};
