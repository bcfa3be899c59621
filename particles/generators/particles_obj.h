// The runtime object of every particle generator: it owns the generator's
// copy, forwards the frame's update and draw to it, and holds the quad
// batches the copy writes into.
#pragma once

#include <memory>
#include <vector>

#include "scene/model/abobj.h"
#include "scene/render/kv_indexed_mesh.h"
#include "scene/render/vertex_formats.h"

class KV_ParticleGenerator;

class KV_ParticlesObj : public KV_ABObj {
public:
    // 16-bit indices address 65536 vertices: four per quad.
    static constexpr UINT kMaxBatchQuads = 16384;

    // Takes the copy and lets it restore its resources once.
    explicit KV_ParticlesObj(std::unique_ptr<KV_ParticleGenerator> generator);
    ~KV_ParticlesObj() override;

    void Render(KV_ABRender& renderer) override;
    void Signal(int a, int b) override;
    void UpdateLayout() override {}
    bool ReadsScene() const override;
    bool HitTest(POINT point) const override;
    void Update(float localTime) override;

    // The generator's restore says how many batches it draws.
    void SetBatchCount(size_t n);
    // Grows batch i to hold at least n quads (at most kMaxBatchQuads) and
    // draws n; batches never shrink.
    void SetBatchQuadCount(size_t i, UINT n);
    // Null for a missing batch or buffer, or one that cannot be locked
    // (which then draws nothing).
    DX_V::PCT* LockBatch(size_t i);
    void UnlockBatch(size_t i);

    KV_ParticleGenerator& Generator() { return *m_generator; }
    const std::vector<KV_IndexedMesh>& Batches() const { return m_batches; }
    const std::vector<UINT>& QuadCounts() const { return m_quadCounts; }

private:
    KV_ParticleGenerator* m_generator;
    std::vector<KV_IndexedMesh> m_batches;
    std::vector<UINT> m_quadCounts;
};
