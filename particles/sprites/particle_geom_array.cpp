#include "particles/sprites/particle_geom_array.h"

#include "particles/sprites/particle_system_ctrl.h"
#include "scene/model/fun_light_ctrl.h"
#include "scene/render/vertex_formats.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstdint>
#include <limits>
#include <span>

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
    m_owner->UpdateParticles(m_instances);
}

// A negative rate steps every frame; 0 never does.
void ParticleGeomArray::StepStrip(KV_ParticleSystemCtrl& d)
{
    if (d.stripRate != 0.0f && 1.0f / d.stripRate < d.clock - m_stripClock) {
        m_stripFrame = d.NextFrame(m_stripFrame);
        m_stripClock = d.clock;
    } else if (m_stripClock > d.clock) {
        m_stripClock = 0.0f;
    }
}

namespace {

using Pair = ParticleGeomArray::Pair;

// Vertex 0 (u first, v second), 1 (u first, v first), 2 (u second, v
// second), 3 (u second, v first).
void WriteQuadTexCoords(DX_V::PCT* q, Pair u, Pair v)
{
    q[0].u = u.first;
    q[0].v = v.second;
    q[1].u = u.first;
    q[1].v = v.first;
    q[2].u = u.second;
    q[2].v = v.second;
    q[3].u = u.second;
    q[3].v = v.first;
}

void SetPosition(DX_V::PCT& vertex, float x, float y, float z)
{
    vertex.x = x;
    vertex.y = y;
    vertex.z = z;
}

// Bit for bit: a -0 component of an axis would show in the products.
bool HasUnitAxes(const SpriteInstance& i)
{
    const auto bits = [](float f) { return std::bit_cast<std::uint32_t>(f); };
    constexpr std::uint32_t one = std::bit_cast<std::uint32_t>(1.0f);
    return bits(i.axisU.x) == one && bits(i.axisV.y) == one &&
           (bits(i.axisU.y) | bits(i.axisU.z) | bits(i.axisV.x) | bits(i.axisV.z)) == 0;
}

// The quad's vertices in the order of SpriteInstance::QuadCorners.
void WriteQuadPositions(DX_V::PCT* q, const SpriteInstance& i)
{
    const float width = 2.0f * i.halfWidth, height = 2.0f * i.halfHeight;
    const float unbounded = std::numeric_limits<float>::infinity();
    if (HasUnitAxes(i) && 0.0f < width && width < unbounded && 0.0f < height && height < unbounded) {
        // Most sprites stand upright: their quad is the centre plus or minus
        // the half extents. With both sides positive and finite this is
        // exactly what the products with the axes give; of their zero terms,
        // only the + 0 on z can show (it turns a z of -0 into +0).
        const float left = i.centre.x - i.halfWidth, top = i.centre.y - i.halfHeight;
        const float right = left + width, bottom = top + height, z = i.centre.z + 0.0f;
        SetPosition(q[0], left, bottom, z);
        SetPosition(q[1], left, top, i.centre.z);
        SetPosition(q[2], right, bottom, z);
        SetPosition(q[3], right, top, z);
        return;
    }
    const std::array<D3DXVECTOR3, 4> corners = i.QuadCorners();
    for (int k = 0; k < 4; ++k)
        SetPosition(q[k], corners[k].x, corners[k].y, corners[k].z);
}

// The kind's colour modulation is a function of the colour alone within a
// frame, and neighbouring sprites mostly share their colour: one virtual
// call per change instead of one per sprite.
class ColourModulation {
public:
    explicit ColourModulation(const KV_ParticleSystemCtrl& d) : m_d(d) {}
    D3DCOLOR operator()(D3DCOLOR argb)
    {
        if (!m_known || argb != m_in) {
            m_in = argb;
            m_out = m_d.ModulateColor(argb);
            m_known = true;
        }
        return m_out;
    }

private:
    const KV_ParticleSystemCtrl& m_d;
    D3DCOLOR m_in = 0, m_out = 0;
    bool m_known = false;
};

} // namespace

void ParticleGeomArray::FillVertexBuffer(KV_ParticleSystemCtrl& d)
{
    const unsigned quads = d.count.Value();
    if (!vertexBuffer || vertexCount / 4 != quads)
        return;
    void* locked = nullptr;
    if (FAILED(vertexBuffer->Lock(0, 0, &locked, 0)) || !locked)
        return;
    lockedVertices = locked;
    auto* v = static_cast<DX_V::PCT*>(locked);
    const bool flipU = d.flipU.Value() != 0, flipV = d.flipV.Value() != 0;
    const bool strip = d.strip;
    const size_t written = std::min<size_t>(quads, m_instances.size());
    if (strip && written > 0)
        StepStrip(d);
    const float frameWidth = 1.0f / static_cast<float>(d.FrameCount());
    const Pair stripU{static_cast<float>(m_stripFrame) * frameWidth,
                      static_cast<float>(m_stripFrame + 1) * frameWidth};
    ColourModulation modulate(d);
    // One pass, each quad whole before the next: the locked memory may be
    // write-combined.
    for (const SpriteInstance& i : std::span(m_instances.data(), written)) {
        WriteQuadPositions(v, i);
        const D3DCOLOR colour = modulate(i.colour);
        Pair vPair{i.vStart, i.vEnd}, uPair = strip ? stripU : Pair{i.uStart, i.uEnd};
        if (flipV)
            std::swap(vPair.first, vPair.second);
        if (flipU)
            std::swap(uPair.first, uPair.second);
        for (int k = 0; k < 4; ++k)
            v[k].diffuse = colour;
        WriteQuadTexCoords(v, uPair, vPair);
        v += 4;
    }
    lockedVertices = nullptr;
    vertexBuffer->Unlock();
    m_needsFill = false;
}

void ParticleGeomArray::SetQuadTexCoords(Pair u, Pair v, unsigned quad)
{
    if (lockedVertices)
        WriteQuadTexCoords(static_cast<DX_V::PCT*>(lockedVertices) + 4 * quad, u, v);
}

void ParticleGeomArray::ClearTimers()
{
    for (SpriteInstance& instance : m_instances)
        instance.ClearTimers();
}
