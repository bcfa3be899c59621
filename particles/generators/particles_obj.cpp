#include "particles/generators/particles_obj.h"

#include "particles/generators/particle_generator.h"

#include <algorithm>

KV_ParticlesObj::KV_ParticlesObj(std::unique_ptr<KV_ParticleGenerator> generator)
    : KV_ABObj(std::move(generator)), m_generator(static_cast<KV_ParticleGenerator*>(&Description()))
{
    m_generator->RestoreResources(*this);
}

KV_ParticlesObj::~KV_ParticlesObj() = default;

void KV_ParticlesObj::Render(KV_ABRender& renderer) { m_generator->Render(renderer, *this); }

void KV_ParticlesObj::Signal(int a, int) { m_generator->Signal(a); }

bool KV_ParticlesObj::ReadsScene() const { return m_generator->ReadsScene(); }

bool KV_ParticlesObj::HitTest(POINT point) const { return m_generator->HitTest(point); }

void KV_ParticlesObj::Update(float localTime) { m_generator->Update(localTime, *this); }

void KV_ParticlesObj::SetBatchCount(size_t n)
{
    m_batches.resize(n);
    m_quadCounts.resize(n, 0);
}

void KV_ParticlesObj::SetBatchQuadCount(size_t i, UINT n)
{
    if (i >= m_batches.size())
        return;
    n = std::min(n, kMaxBatchQuads);
    KV_IndexedMesh& batch = m_batches[i];
    // Growing by half again at least, so that counts that creep up (stars
    // arriving at random) do not rebuild the buffers frame after frame.
    if (batch.triangleCount < 2 * n)
        batch.SetQuadCount(std::min(std::max(n, batch.triangleCount / 2 * 3 / 2), kMaxBatchQuads));
    m_quadCounts[i] = n;
}

DX_V::PCT* KV_ParticlesObj::LockBatch(size_t i)
{
    if (i >= m_batches.size())
        return nullptr;
    KV_IndexedMesh& batch = m_batches[i];
    void* locked = nullptr;
    if (!batch.vertexBuffer || FAILED(batch.vertexBuffer->Lock(0, 0, &locked, 0))) {
        // Nothing is written this frame: draw nothing stale either.
        m_quadCounts[i] = 0;
        return nullptr;
    }
    batch.lockedVertices = locked;
    return static_cast<DX_V::PCT*>(locked);
}

void KV_ParticlesObj::UnlockBatch(size_t i)
{
    if (i >= m_batches.size() || !m_batches[i].lockedVertices)
        return;
    m_batches[i].lockedVertices = nullptr;
    m_batches[i].vertexBuffer->Unlock();
}
