// Lightning: a branching bolt between the two end points, built once each
// time the object shows and drawn every frame as a core strip, a glow
// strip and squares at the strip ends. It grows from its root during the
// fade-in, flickers while shown and fades out.
#pragma once

#include "particles/generators/bolt.h"
#include "particles/generators/particle_quad.h"
#include "particles/generators/string_generator.h"

// Quads offered to one locked batch; those past its size are dropped.
struct QuadSink {
    void Put(const ParticleQuad& quad);

    DX_V::PCT* vertices = nullptr;
    UINT size = 0;
    // Every quad offered, also the dropped ones.
    UINT offered = 0;
};

struct BoltSinks {
    QuadSink cores;
    QuadSink glows;
    QuadSink ends;
};

class KV_LightningGN : public KV_StringGenerator {
public:
    // Batches: the core strips with their caps, the glow strips, the
    // squares at the strip ends.
    enum Batch { kCores = 0, kGlows = 1, kEnds = 2 };
    // More passes would make more points than one bolt may hold.
    static constexpr unsigned int kMaxPasses = 12;
    static constexpr size_t kMaxPoints = 16384;

    void Write(KV_IOF_Virtual& archive) const override { WriteRecord(archive); }
    // The time line from its start; the bolt stays.
    void Reset() override;
    void Render(KV_ABRender& renderer, KV_ParticlesObj& object) override;
    void Update(float t, KV_ParticlesObj& object) override;
    // The textured restore, a new bolt, the mask and three batches.
    void RestoreResources(KV_ParticlesObj& object) override;
    // The composite redraws the scene.
    bool ReadsScene() const override { return true; }
    std::unique_ptr<KV_ParticleGenerator> Clone() const override;

    // Version 1 has seven timings (milliseconds) for the time line after
    // the tenth value.
    void Read(KV_IOF_Virtual& archive, DWORD version);
    void WriteRecord(KV_IOF_Virtual& archive) const;

    // The branch slots, then the bolt from end point 1 to end point 2;
    // with the reseed flag 0 the same bolt every time.
    void RebuildBolt();
    // Into the object's three batches, sized for the bolt.
    void FillBatches(KV_ParticlesObj& object);
    // One strip and, where they start, its branches.
    void FillStrip(const BoltList& list, BoltSinks& sinks, float u0) const;
    // Of a point of the given fade-in position, by the time line's phase.
    float Intensity(float x) const;

    MediaParamT<unsigned int> coreWidth;
    MediaParamT<unsigned int> passes;
    // Of a segment's length.
    UINTSclaleTo<float> displacement{0, 0.004f};
    MediaParamT<unsigned int> seed;
    // Of the distance from the branch point to the tip.
    UINTSclaleTo<float> branchLength{0, 0.01f};
    // Radians from the direction to the tip: 100 is a right angle.
    UINTSclaleTo<float> branchAngle{0, 0.015707964f};
    // The width factor at the tip.
    UINTSclaleTo<float> tipWidth{0, -0.01f, 1.0f};
    MediaParamT<unsigned int> branches;
    MediaParamT<unsigned int> subBranches;
    MediaParamT<unsigned int> subSubBranches;
    UINTSclaleTo<float> flicker{0, 0.01f};
    MediaParamT<unsigned int> glowWidth;
    // 0: every rebuild reseeds with the seed.
    MediaParamT<int> reseed;

    BoltList bolt;
    float lastUpdateTime = 0.0f;
    // The bolt was built for the current showing.
    bool built = false;

private:
    // A strip from start to end with the passes, its widths growing from
    // weight x tip width at the end to the weight, and its branches where
    // the slots say; room counts the points the whole bolt may still take.
    void BuildBolt(const D3DXVECTOR3& start, const D3DXVECTOR3& end, BoltList& list, unsigned int passes,
                   float weight, std::vector<BranchSlot>& slots, float intensityLength, size_t& room);
    // The first picture's height over its width; 1 without one.
    float TextureAspect() const;
    // The colour at the intensity of a point of fade-in position x.
    D3DCOLOR Tint(const MediaColor& colour, float x) const;
    float SegmentQuads(const BoltPoint& a, const BoltPoint& b, ParticleQuad& core, ParticleQuad& glow) const;
    // A cap from the point along the direction, its width the point's at
    // the point and outerScale of it at the far end, fading out there.
    void FillCap(const BoltPoint& at, const D3DXVECTOR3& direction, float length, float outerScale, float uFrom,
                 float uTo, float x, QuadSink& cores) const;
};
