#include "particles/generators/lightning.h"

#include <algorithm>
#include <cmath>

#include "particles/generators/particles_obj.h"
#include "scene/document/reader_registry.h"
#include "scene/model/crt_random.h"
#include "scene/model/random_functions.h"

namespace {

const RegisterReader<KV_LightningGN, KV_ABObj_Constructor> registration(L"KV_LightningGN");

BoltPoint PointAt(const D3DXVECTOR3& position)
{
    BoltPoint point;
    point.position = position;
    return point;
}

float RandomSign() { return (kv_rand() & 1) ? -1.0f : 1.0f; }

// A displaced midpoint into every segment, sideways in the screen plane by
// up to the given fraction of the segment's length.
void Subdivide(BoltList& list, float displacement)
{
    for (auto a = list.begin(), b = std::next(a); b != list.end(); a = b++) {
        const D3DXVECTOR3& p = a->position;
        const D3DXVECTOR3& q = b->position;
        const float r = RandomFloat(0, 1) * displacement;
        const float s = RandomSign();
        list.insert(b, PointAt((p + q) * 0.5f + D3DXVECTOR3(q.y - p.y, -(q.x - p.x), 0) * (s * r)));
    }
}

// Corners cut: every point after the first moves to 0.67 of the way from
// where its predecessor was, and every segment after the first gains a
// point at 0.33 of it.
void Smooth(BoltList& list)
{
    auto point = list.begin();
    D3DXVECTOR3 before = point->position;
    for (++point; point != list.end(); ++point) {
        const D3DXVECTOR3 was = point->position;
        if (std::prev(point) != list.begin())
            list.insert(point, PointAt(was + (before - was) * 0.67f));
        point->position = before + (was - before) * 0.67f;
        before = was;
    }
}

// Points of a strip built with the passes.
size_t StripPoints(unsigned int passes) { return size_t{2} << passes; }

} // namespace

std::unique_ptr<KV_ParticleGenerator> KV_LightningGN::Clone() const { return std::make_unique<KV_LightningGN>(*this); }

void KV_LightningGN::Reset()
{
    KV_StringGenerator::Reset();
    lastUpdateTime = 0;
}

void KV_LightningGN::RestoreResources(KV_ParticlesObj& object)
{
    KV_TexParticleGenerator::RestoreResources(object);
    RebuildBolt();
    AcquireBlendMask();
    object.SetBatchCount(3);
}

void KV_LightningGN::Update(float t, KV_ParticlesObj& object)
{
    lastUpdateTime = t;
    if (TimeLine().GetPhase() == kPhaseHidden) {
        built = false;
    } else if (!built) {
        RebuildBolt();
        built = true;
    }
    FillBatches(object);
}

void KV_LightningGN::Render(KV_ABRender& renderer, KV_ParticlesObj& object) { RenderCoreAndGlow(renderer, object); }

void KV_LightningGN::RebuildBolt()
{
    if (reseed.Value() == 0)
        kv_srand(seed.Value());
    bolt.clear();
    // No bolt has points for more slots than it may hold.
    const auto slots = [](const MediaParamT<unsigned int>& count) {
        return std::min<size_t>(count.Value(), kMaxPoints);
    };
    std::vector<BranchSlot> first;
    if (const size_t n1 = slots(branches); n1 > 0) {
        const size_t n2 = subBranches.Value() > 0 ? slots(subBranches) : 0;
        std::vector<BranchSlot> second(n2);
        if (n2 > 0)
            for (size_t i = 0; i < slots(subSubBranches); ++i)
                second[static_cast<size_t>(kv_rand()) % n2].children.emplace_back();
        first.resize(n1);
        for (BranchSlot& slot : second)
            first[static_cast<size_t>(kv_rand()) % n1].children.push_back(std::move(slot));
    }
    size_t room = kMaxPoints;
    BuildBolt(endPoint1.Value(), endPoint2.Value(), bolt, std::min(passes.Value(), kMaxPasses), 1.0f, first, 1.0f,
              room);
}

void KV_LightningGN::BuildBolt(const D3DXVECTOR3& start, const D3DXVECTOR3& end, BoltList& list,
                               unsigned int passes, float weight, std::vector<BranchSlot>& slots,
                               float intensityLength, size_t& room)
{
    list.push_back(PointAt(start));
    list.push_back(PointAt(end));
    for (unsigned int i = 0; i < passes; ++i)
        Subdivide(list, displacement.Result());
    Smooth(list);
    const size_t n = list.size();
    room -= std::min(room, n);

    for (BranchSlot& slot : slots)
        slot.pointIndex = static_cast<int32_t>(static_cast<size_t>(kv_rand()) % n);
    // A point grows the branch of its first slot; later ones are unused.
    std::vector<BranchSlot*> growing(n, nullptr);
    for (BranchSlot& slot : slots) {
        BranchSlot*& taken = growing[static_cast<size_t>(slot.pointIndex)];
        if (!taken)
            taken = &slot;
    }

    const unsigned int branchPasses = passes > 0 ? passes - 1 : 0;
    const float tip = std::clamp(tipWidth.Result(), 0.0f, 1.0f);
    const float rise = weight * (1 - tip) / static_cast<float>(n);
    const D3DXVECTOR3 towardsStart = UnitOrZero(start - end);
    float w = weight * tip;
    size_t index = n;
    for (auto point = list.rbegin(); point != list.rend(); ++point) {
        --index;
        point->width = w;
        point->intensity = intensityLength * static_cast<float>(n - 1 - index) / static_cast<float>(n - 1);
        BranchSlot* slot = growing[index];
        if (slot && room >= StripPoints(branchPasses)) {
            const D3DXVECTOR3 d = end - point->position;
            const D3DXVECTOR3 side = D3DXVECTOR3(towardsStart.y, -towardsStart.x, 0) * (RandomSign() * D3DXVec3Length(&d));
            const float theta = branchAngle.Result();
            const float reach = branchLength.Result() * (0.5f + 0.5f * RandomFloat(0, 1));
            const D3DXVECTOR3 branchEnd = point->position + (d * std::cos(theta) + side * std::sin(theta)) * reach;
            BuildBolt(point->position, branchEnd, point->branches, branchPasses, point->width, slot->children,
                      point->intensity, room);
        }
        w = std::min(w + rise, 1.0f);
    }
}
