#include "particles/sprites/particle_geom_array.h"

#include "particles/sprites/particle_system_ctrl.h"
#include "scene/model/fun_light_ctrl.h"
#include "scene/render/vertex_formats.h"

#include <algorithm>

ParticleGeomArray::ParticleGeomArray(KV_ParticleSystemCtrl& owner) : m_owner(&owner) { m_bindings.SetOwner(this); }

void ParticleGeomArray::BindCount()
{
    KV_FunLightCtrl<unsigned int, ParticleGeomArray>::Create(m_bindings, &ParticleGeomArray::Resize,
                                                             m_owner->count);
}

void ParticleGeomArray::Resize(unsigned n)
{
    n = std::min(n, kMaxSpriteCount);
    if (n == 0)
        return;
    vertexBuffer.Reset();
    SetQuadCount(n);
    // A single image never changes frame: without this, static geometry
    // would never be written.
    m_needsFill = true;
    while (m_instances.size() < n) {
        SpriteInstance& added = m_instances.emplace_back();
        added.Init(*m_owner);
        added.Reset(*m_owner);
        m_owner->InitParticle(added);
    }
}

void ParticleGeomArray::Update(float t)
{
    m_owner->AdvanceClock(t);
    m_owner->animationSpeed.Advance(t);
    ForEachInstance(m_instances, &KV_ParticleSystemCtrl::UpdateParticle, *m_owner);
}

void ParticleGeomArray::StepStrip(KV_ParticleSystemCtrl& d)
{
    if (d.stripRate > 0.0f && 1.0f / d.stripRate < d.clock - m_stripClock) {
        m_stripFrame = d.NextFrame(m_stripFrame);
        m_stripClock = d.clock;
    } else if (m_stripClock > d.clock) {
        m_stripClock = 0.0f;
    }
}

void ParticleGeomArray::FillVertexBuffer(KV_ParticleSystemCtrl& d)
{
    const unsigned quads = d.count.Value();
    if (!vertexBuffer || vertexCount / 4 != quads)
        return;
    void* locked = nullptr;
    if (FAILED(vertexBuffer->Lock(0, 0, &locked, 0)) || !locked)
        return;
    lockedVertices = locked;
    auto* vertices = static_cast<DX_V::PCT*>(locked);
    const bool flipU = d.flipU.Value() != 0, flipV = d.flipV.Value() != 0;
    const float frameWidth = 1.0f / static_cast<float>(d.FrameCount());
    unsigned quad = 0;
    for (auto it = m_instances.begin(); it != m_instances.end() && quad < quads; ++it, ++quad) {
        const SpriteInstance& i = *it;
        const D3DXVECTOR3 c = i.GetCorner();
        const D3DXVECTOR3 w = 2.0f * i.halfWidth * i.axisU, h = 2.0f * i.halfHeight * i.axisV;
        const D3DXVECTOR3 positions[4] = {c + h, c, c + w + h, c + w};
        const D3DCOLOR colour = d.ModulateColor(i.colour);
        for (int k = 0; k < 4; ++k) {
            DX_V::PCT& v = vertices[4 * quad + k];
            v.x = positions[k].x;
            v.y = positions[k].y;
            v.z = positions[k].z;
            v.diffuse = colour;
        }
        Pair vPair{i.vStart, i.vEnd}, uPair{i.uStart, i.uEnd};
        if (d.strip) {
            if (quad == 0)
                StepStrip(d);
            uPair = {static_cast<float>(m_stripFrame) * frameWidth, static_cast<float>(m_stripFrame + 1) * frameWidth};
        }
        if (flipV)
            std::swap(vPair.first, vPair.second);
        if (flipU)
            std::swap(uPair.first, uPair.second);
        SetQuadTexCoords(uPair, vPair, quad);
    }
    lockedVertices = nullptr;
    vertexBuffer->Unlock();
    m_needsFill = false;
}

void ParticleGeomArray::SetQuadTexCoords(Pair u, Pair v, unsigned quad)
{
    if (!lockedVertices)
        return;
    DX_V::PCT* q = static_cast<DX_V::PCT*>(lockedVertices) + 4 * quad;
    const Pair coords[4] = {{u.first, v.second}, {u.first, v.first}, {u.second, v.second}, {u.second, v.first}};
    for (int k = 0; k < 4; ++k) {
        q[k].u = coords[k].first;
        q[k].v = coords[k].second;
    }
}

void ParticleGeomArray::ClearTimers()
{
    for (SpriteInstance& instance : m_instances)
        instance.ClearTimers();
}
