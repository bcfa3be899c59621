// Generators that reuse their ended particles draw exactly what they would
// with every particle new: a generator run on is compared, quad for quad,
// with one run on a fresh copy each frame, whose births never find a spare.
#include "generator_fixture.h"

#include "particles/generators/falling_stars.h"
#include "particles/generators/firework.h"
#include "scene/model/crt_random.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace particles_test {
namespace {

constexpr int kFrames = 300;

// What one frame drew, with the lists it drew from.
struct FrameQuads {
    std::vector<UINT> counts;
    // FNV-1a over the drawn vertices of every batch.
    std::uint64_t digest = 0xcbf29ce484222325u;
    size_t origins = 0;
    size_t particles = 0;
};

FrameQuads Drawn(const KV_ParticlesObj& holder, const KV_ParticleGenerator& generator)
{
    FrameQuads frame{holder.QuadCounts(), 0xcbf29ce484222325u, generator.origins.size(), generator.particles.size()};
    for (size_t i = 0; i < holder.Batches().size(); ++i) {
        IDirect3DVertexBuffer9* buffer = holder.Batches()[i].vertexBuffer.Get();
        if (frame.counts[i] == 0 || !buffer)
            continue;
        void* locked = nullptr;
        EXPECT_EQ(buffer->Lock(0, 0, &locked, D3DLOCK_READONLY), D3D_OK);
        const auto* byte = static_cast<const unsigned char*>(locked);
        for (size_t n = 0; n < frame.counts[i] * 4 * sizeof(DX_V::PCT); ++n)
            frame.digest = (frame.digest ^ byte[n]) * 0x100000001b3u;
        buffer->Unlock();
    }
    return frame;
}

// 30 frames a second through the generator's time line, into the holder's
// batches, from the same seed. A copy starts its own cycle clock, so the
// fresh copies follow the run only on time lines without one.
std::vector<FrameQuads> Play(const KV_ParticleGenerator& description, KV_ParticlesObj& holder, bool freshEachFrame)
{
    kv_srand(17);
    std::unique_ptr<KV_ParticleGenerator> generator = description.Clone();
    std::vector<FrameQuads> frames;
    for (int i = 1; i <= kFrames; ++i) {
        if (freshEachFrame)
            generator = generator->Clone();
        KV_TimeLineControl& timeLine = generator->TimeLine();
        const float t = static_cast<float>(i) / 30;
        timeLine.intervalTime = t;
        generator->Update(timeLine.Machine().LocalTime(timeLine, t), holder);
        frames.push_back(Drawn(holder, *generator));
    }
    return frames;
}

// Whether a list shrank, then grew again: particles ended and others were
// born after them.
bool BornAfterDeaths(const std::vector<FrameQuads>& frames, size_t FrameQuads::*list)
{
    bool shrank = false;
    for (size_t i = 1; i < frames.size(); ++i) {
        if (frames[i].*list < frames[i - 1].*list)
            shrank = true;
        else if (shrank && frames[i].*list > frames[i - 1].*list)
            return true;
    }
    return false;
}

// Twelve sparks each time the firework shows, trails a third of a second.
KV_FireworkSimple Firework()
{
    KV_FireworkSimple firework;
    firework.centre.Value() = D3DXVECTOR3(32, 32, 0);
    firework.sparkCount.Value() = 12;
    firework.sparkSize.Value() = 4;
    firework.burstSpeed.StoreAndNotify(10);
    firework.glowScale.StoreAndNotify(25);
    firework.originSpeed.StoreAndNotify(50);
    firework.lifetime.StoreAndNotify(30);
    firework.emissionRate.StoreAndNotify(20);
    firework.sizeParam.StoreAndNotify(10);
    firework.initialSpeed.StoreAndNotify(20);
    firework.emissionSwitch.Value() = 1;
    return firework;
}

// Shown half a second, fading in and out, then hidden a fifth, again and
// again.
std::unique_ptr<KV_ParticleGenerator> RepeatedFirework()
{
    auto firework = std::make_unique<KV_FireworkSimple>(Firework());
    KV_TimeLineControl& timeLine = firework->TimeLine();
    timeLine.mode.Value() = KV_TimeLineControl::kModeIntervals;
    for (float start = 0.2f; start < static_cast<float>(kFrames) / 30; start += 0.7f)
        EXPECT_TRUE(timeLine.AddInterval(start, start + 0.5f, start + 0.1f, start + 0.4f));
    return firework;
}

// Always shown: a spark every twentieth of a second.
std::unique_ptr<KV_ParticleGenerator> StreamingFirework()
{
    auto firework = std::make_unique<KV_FireworkSimple>(Firework());
    firework->sparkCount.Value() = 10;
    return firework;
}

// Four stars a second living a second, turned 200 degrees, with trails.
std::unique_ptr<KV_ParticleGenerator> FallingStars()
{
    auto stars = std::make_unique<KV_FallingStars>();
    stars->region.SetCentred(D3DXVECTOR3(32, 32, 0), 64, 64);
    stars->starSpeed.StoreAndNotify(5);
    stars->starRate.StoreAndNotify(200);
    stars->direction.Value() = 200;
    stars->direction.UpdateAxes();
    stars->starSize.Value() = 6;
    stars->glowScale.StoreAndNotify(25);
    stars->fadeInTime.StoreAndNotify(20);
    stars->holdTime.StoreAndNotify(50);
    stars->fadeOutTime.StoreAndNotify(30);
    stars->lifetime.StoreAndNotify(30);
    stars->emissionRate.StoreAndNotify(20);
    stars->sizeParam.StoreAndNotify(20);
    stars->initialSpeed.StoreAndNotify(10);
    stars->emissionSwitch.Value() = 1;
    return stars;
}

struct RecyclingCase {
    const char* name;
    std::function<std::unique_ptr<KV_ParticleGenerator>()> make;
};

class RecycledParticles : public GeneratorTest, public testing::WithParamInterface<RecyclingCase> {};

TEST_P(RecycledParticles, DrawTheQuadsOfParticlesAllNew)
{
    const std::unique_ptr<KV_ParticleGenerator> description = GetParam().make();
    KV_ParticlesObj& holder = Show(*description);
    const std::vector<FrameQuads> recycled = Play(*description, holder, false);
    const std::vector<FrameQuads> fresh = Play(*description, holder, true);
    EXPECT_TRUE(BornAfterDeaths(recycled, &FrameQuads::origins));
    EXPECT_TRUE(BornAfterDeaths(recycled, &FrameQuads::particles));
    for (int i = 0; i < kFrames; ++i) {
        ASSERT_EQ(recycled[i].counts, fresh[i].counts) << "frame " << i;
        ASSERT_EQ(recycled[i].digest, fresh[i].digest) << "frame " << i;
    }
}

INSTANTIATE_TEST_SUITE_P(Generators, RecycledParticles,
                         testing::Values(RecyclingCase{"RepeatedFirework", RepeatedFirework},
                                         RecyclingCase{"StreamingFirework", StreamingFirework},
                                         RecyclingCase{"FallingStars", FallingStars}),
                         [](const testing::TestParamInfo<RecyclingCase>& info) {
                             return std::string(info.param.name);
                         });

}  // namespace
}  // namespace particles_test
