// The bolt's quads: every strip a core and a glow strip of joined segment
// quads with a cap at each end, and a square of glow at each of its ends.
#include "particles/generators/lightning.h"

#include <algorithm>
#include <iterator>

#include "particles/generators/particles_obj.h"
#include "scene/model/noise.h"

namespace {

// The earlier quad's end edge and the later quad's start edge both at
// their midpoints.
void JoinQuads(ParticleQuad& earlier, ParticleQuad& later)
{
    std::array<D3DXVECTOR3, 2> edge;
    for (size_t k = 0; k < 2; ++k)
        edge[k] = D3DXVECTOR3(later.v[k].x, later.v[k].y, later.v[k].z);
    JoinSegmentQuad(edge, earlier);
    for (size_t k = 0; k < 2; ++k) {
        later.v[k].x = edge[k].x;
        later.v[k].y = edge[k].y;
        later.v[k].z = edge[k].z;
    }
}

} // namespace

void QuadSink::Put(const ParticleQuad& quad)
{
    if (offered < size)
        WriteBatchQuad(offered, vertices, quad);
    ++offered;
}

void KV_LightningGN::FillBatches(KV_ParticlesObj& object)
{
    const size_t ends = BoltEndCount(bolt), segments = BoltSegmentCount(bolt);
    const auto quads = [](size_t n) { return static_cast<UINT>(std::min<size_t>(n, KV_ParticlesObj::kMaxBatchQuads)); };
    object.SetBatchQuadCount(kCores, quads(ends + segments));
    object.SetBatchQuadCount(kGlows, quads(segments));
    object.SetBatchQuadCount(kEnds, quads(ends));
    BoltSinks sinks;
    QuadSink* batches[] = {&sinks.cores, &sinks.glows, &sinks.ends};
    bool locked = true;
    for (size_t i = 0; i < 3; ++i) {
        batches[i]->vertices = object.LockBatch(i);
        batches[i]->size = object.QuadCounts()[i];
        locked = locked && batches[i]->vertices;
    }
    if (locked)
        FillStrip(bolt, sinks, 0);
    for (size_t i = 0; i < 3; ++i) {
        // A frame that was not filled draws nothing stale.
        if (!locked)
            object.SetBatchQuadCount(i, 0);
        object.UnlockBatch(i);
    }
}

float KV_LightningGN::Intensity(float x) const
{
    const KV_TimeLineControl& timeLine = TimeLine();
    const float a = timeLine.GetOpacity();
    switch (timeLine.GetPhase()) {
    case kPhaseFadingOut:
        return a * a;
    case kPhaseShown: {
        // A 75 ms flicker of four octaves.
        const float n = static_cast<float>(NoiseOctaves(lastUpdateTime * 1000.0, 75, 0.5, 4));
        return 1 - (n + 1) * flicker.Result() * 0.5f;
    }
    case kPhaseFadingIn:
        return a > 1 - x ? 1.0f : (a + x - 0.666f) * 3;
    default:
        return a;
    }
}

float KV_LightningGN::TextureAspect() const
{
    if (m_loadedImages.empty() || m_loadedImages.front().width == 0)
        return 1.0f;
    const TextureSequence& first = m_loadedImages.front();
    return static_cast<float>(first.height) / static_cast<float>(first.width);
}

D3DCOLOR KV_LightningGN::Tint(const MediaColor& colour, float x) const
{
    return ParticleColour(colour, Intensity(x) * colour.Alpha() / 255.0f);
}

float KV_LightningGN::SegmentQuads(const BoltPoint& a, const BoltPoint& b, ParticleQuad& core,
                                   ParticleQuad& glow) const
{
    const D3DXVECTOR3 d = b.position - a.position;
    const float length = D3DXVec3Length(&d);
    const float cw = static_cast<float>(coreWidth.Value()), gw = static_cast<float>(glowWidth.Value());
    BuildSegmentQuad(core, a.position, d, length, a.width * cw, b.width * cw);
    BuildSegmentQuad(glow, a.position, d, length, a.width * gw, b.width * gw);
    return cw > 0 ? b.width * length / cw : 0.0f;
}

void KV_LightningGN::FillCap(const BoltPoint& at, const D3DXVECTOR3& direction, float length, float outerScale,
                             float uFrom, float uTo, float x, QuadSink& cores) const
{
    const float c = static_cast<float>(coreWidth.Value()) * at.width;
    ParticleQuad cap{};
    BuildSegmentQuad(cap, at.position, direction * length, length, c, outerScale * c);
    SetQuadTexCoords(cap, uFrom, uTo, 0, 1);
    const D3DCOLOR inner = Tint(firstColour, x);
    cap.v[0].diffuse = cap.v[1].diffuse = inner;
    cap.v[2].diffuse = cap.v[3].diffuse = inner & 0x00FFFFFF;
    cores.Put(cap);
}

void KV_LightningGN::FillStrip(const BoltList& list, BoltSinks& sinks, float u0) const
{
    if (list.size() < 2)
        return;
    const float k = TextureAspect();
    const float gw = static_cast<float>(glowWidth.Value());
    const BoltPoint& first = list.front();
    const BoltPoint& last = list.back();
    const BoltPoint& beforeLast = *std::prev(list.end(), 2);
    for (const BoltPoint* end : {&first, &last}) {
        const float side = gw * end->width;
        ParticleQuad square = BuildQuadFromCentre(end->position, side, side);
        SetQuadColour(square, Tint(secondColour, end->intensity));
        sinks.ends.Put(square);
    }
    FillStrip(first.branches, sinks, 0);
    const float c0 = static_cast<float>(coreWidth.Value()) * first.width;
    FillCap(first, UnitOrZero(first.position - std::next(list.begin())->position), c0 / 2, 1.0f, u0, u0 + k * 0.5f,
            first.intensity, sinks.cores);
    // Each quad is held back until the next one is joined to it.
    ParticleQuad core{}, glow{};
    float u = u0;
    for (auto a = list.begin(), b = std::next(a); b != list.end(); ++a, ++b) {
        if (a != list.begin())
            FillStrip(a->branches, sinks, 0);
        ParticleQuad nextCore{}, nextGlow{};
        const float delta = SegmentQuads(*a, *b, nextCore, nextGlow) * k;
        SetQuadTexCoords(nextCore, u, u + delta, 0, 1);
        SetQuadTexCoords(nextGlow, u, u + delta, 0, 1);
        u += delta;
        SetQuadColour(nextCore, Tint(firstColour, a->intensity));
        SetQuadColour(nextGlow, Tint(secondColour, a->intensity));
        if (a != list.begin()) {
            JoinQuads(core, nextCore);
            JoinQuads(glow, nextGlow);
            sinks.cores.Put(core);
            sinks.glows.Put(glow);
        }
        core = nextCore;
        glow = nextGlow;
    }
    const float c = static_cast<float>(coreWidth.Value()) * last.width;
    FillCap(last, UnitOrZero(last.position - beforeLast.position), 0.7f * c, 0.7f, u, u + 0.7f * k,
            beforeLast.intensity, sinks.cores);
    sinks.cores.Put(core);
    sinks.glows.Put(glow);
    // The last point starts no segment, but may start a branch.
    FillStrip(last.branches, sinks, 0);
}
