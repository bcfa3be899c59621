#include "particles/sprites/discharge_fx.h"

#include "effects/screenfx/fx_params.h"
#include "scene/document/reader_registry.h"
#include "scene/document/record.h"
#include "scene/model/crt_random.h"
#include "scene/model/random_functions.h"

#include <algorithm>
#include <cmath>

namespace {

const RegisterReader<KV_DischargeFXConstructor, KV_ABObj_Constructor> registration(L"KV_DischargeFXConstructor");

// The common module's bolt pictures: the bright bolt, the thin one, and the
// default link, any picture, which the bolt replaces when it loads.
constexpr const wchar_t* kCommonModule = L"common_res.dll";
constexpr INT kBrightBoltPicture = 95;
constexpr INT kDefaultPicture = 97;
constexpr INT kThinBoltPicture = 98;

// The bolt pictures' layout across: the start cap up to 0.195, the end cap
// from 0.805, the middle that every segment shows between them.
constexpr float kStartCapEnd = 0.195f;
constexpr float kEndCapStart = 0.805f;

// Start and end on one point have no direction: zero, not a division by it.
D3DXVECTOR3 UnitOrZero(const D3DXVECTOR3& v)
{
    const float length = D3DXVec3Length(&v);
    return length > 0.0f ? v / length : D3DXVECTOR3(0, 0, 0);
}

void WritePoint(KV_IOF_Virtual& archive, const D3DXVECTOR3& p)
{
    for (const float* value : {&p.x, &p.y, &p.z})
        archive.WriteFloat(value);
}

void ReadPoint(KV_IOF_Virtual& archive, D3DXVECTOR3& p)
{
    for (float* value : {&p.x, &p.y, &p.z})
        archive.ReadFloat(value);
}

} // namespace

KV_DischargeFXConstructor::KV_DischargeFXConstructor()
{
    image.SetKey(KV_FileLink3::FromResource(kDefaultPicture, kCommonModule).Key());
    size.SetValue(50);
    blendMode.SetValue(1);
    colour.SetValue(0xFFFFCC);
    glowColour.SetValue(0xFF9900);
}

void KV_DischargeFXConstructor::Write(KV_IOF_Virtual& archive) const
{
    WriteRecordFrame(archive, L"KV_DischargeFXConstructor", 1);
    WritePoint(archive, startPoint.Value());
    WritePoint(archive, endPoint.Value());
    archive.WriteUInt(&jitter.Value());
    archive.WriteInt(&glowKind.Value());
    archive.WriteUInt(&flickerPeriod.Value());
    archive.WriteUInt(&morphRate.Value());
    WriteRecord(archive);
}

void KV_DischargeFXConstructor::Read(KV_IOF_Virtual& archive, DWORD)
{
    ReadPoint(archive, startPoint.Value());
    ReadPoint(archive, endPoint.Value());
    ReadScaledValue(archive, jitter);
    archive.ReadInt(&glowKind.Value());
    ReadScaledValue(archive, flickerPeriod);
    ReadScaledValue(archive, morphRate);
    ReadRecord(archive);
}

void KV_DischargeFXConstructor::LoadResources()
{
    KV_FXParticleSystemCtrl::LoadResources();
    LoadGlowImages();
}

void KV_DischargeFXConstructor::LoadGlowImages()
{
    const INT picture = glowKind.Value() != 0 ? kBrightBoltPicture : kThinBoltPicture;
    image.SetKey(KV_FileLink3::FromResource(picture, kCommonModule).Key());
    LoadTextures();
}

void KV_DischargeFXConstructor::BuildPath(std::vector<BoltSegment>& path) const
{
    const size_t c = count.Value();
    const size_t n = std::min(path.size(), c);
    if (n < 1)
        return;
    const D3DXVECTOR3 start = startPoint.Value(), end = endPoint.Value();
    const D3DXVECTOR3 whole = end - start;
    const D3DXVECTOR3 perpendicular = UnitOrZero(D3DXVECTOR3(whole.y, -whole.x, 0.0f));
    const float wander = jitter.Result();
    D3DXVECTOR3 q = start;
    for (size_t g = 0; g < n; ++g) {
        const D3DXVECTOR3 r = end - q;
        const float step = D3DXVec3Length(&r) / static_cast<float>(c - g);
        D3DXVECTOR3 d = r;
        if (g + 1 != c) {
            d.x = r.x + RandomFloat(-wander, wander) * r.y;
            d.y = r.y + RandomFloat(-wander, wander) * r.x;
            d.z = r.z + r.z;
        }
        BoltSegment& segment = path[g];
        segment.direction = UnitOrZero(d);
        segment.perpendicular = perpendicular;
        const D3DXVECTOR3 next = q + segment.direction * step;
        segment.centre = (q + next) * 0.5f;
        segment.length = step;
        q = next;
    }
}

BoltSegment KV_DischargeFXConstructor::InterpolateSegment(size_t i, float f) const
{
    if (i >= m_oldPath.size() || i >= m_newPath.size())
        return {};
    const BoltSegment &from = m_oldPath[i], &to = m_newPath[i];
    return {from.centre + (to.centre - from.centre) * f, from.direction + (to.direction - from.direction) * f,
            from.perpendicular + (to.perpendicular - from.perpendicular) * f, from.length + (to.length - from.length) * f};
}

void KV_DischargeFXConstructor::InitParticle(SpriteInstance&)
{
    m_oldPath.resize(count.Value());
    m_newPath.resize(count.Value());
    BuildPath(m_oldPath);
    BuildPath(m_newPath);
}

void KV_DischargeFXConstructor::BeginFrame()
{
    m_segmentCounter = 0;
    if (clock - m_lastRebuild > 0.1f || m_lastRebuild > clock) {
        m_lastRebuild = clock;
        m_oldPath = m_newPath;
        BuildPath(m_newPath);
    }
}

void KV_DischargeFXConstructor::UpdateParticle(SpriteInstance& i)
{
    const BoltSegment s = InterpolateSegment(m_segmentCounter, (clock - m_lastRebuild) * morphRate.Result());
    i.axisU = s.direction;
    i.halfWidth = s.length * 0.5f;
    i.axisV = s.perpendicular;
    i.halfHeight = static_cast<float>(size.Value()) * 0.5f;
    std::fill(std::begin(i.m), std::end(i.m), 0.0f);
    i.centre = s.centre;
    // A flicker time later than the local time is from before the object
    // started again: due at once.
    if (flickerPeriod.Result() < lastTime - i.t0 || i.t0 > lastTime) {
        i.t0 = lastTime;
        const bool upper = (kv_rand() & 1) != 0;
        i.vStart = upper ? 0.0f : 0.5f;
        i.vEnd = upper ? 0.5f : 1.0f;
        if (kv_rand() & 1)
            std::swap(i.vStart, i.vEnd);
    }
    i.uStart = m_segmentCounter == 0 ? 0.0f : kStartCapEnd;
    i.uEnd = m_segmentCounter + 1 == count.Value() ? 1.0f : kEndCapStart;
    ++m_segmentCounter;
    UpdateInstanceColor(i);
}
