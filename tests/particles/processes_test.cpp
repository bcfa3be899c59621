#include "particles/processes/brownian.h"
#include "particles/processes/particle.h"
#include "particles/processes/processes.h"
#include "scene/model/crt_random.h"
#include "scene/model/media_quad.h"
#include "scene/model/scaled_param.h"

#include <gtest/gtest.h>

#include <functional>
#include <iterator>
#include <typeinfo>
#include <vector>

namespace {

// A process run over a sequence of steps, then what the particle shows.
struct ProcessCase {
    const char* name;
    std::function<void(Particle&)> setUp;
    std::vector<float> steps;
    std::function<void(const Particle&)> expect;
};

void AgeBy(Particle& p, float dt) { p.Age() += dt; }

// Ages the particle before the fade under test sees it, as a generator's
// age process placed first would.
class AgeFirst : public PProcessT<AgeFirst> {
public:
    bool Process(float dt, Particle& p) override
    {
        AgeBy(p, dt);
        return true;
    }
};

class ProcessTable : public testing::TestWithParam<ProcessCase> {};

TEST_P(ProcessTable, ReachesTheExpectedChannelsAndPosition)
{
    kv_srand(7);
    Particle p(10, 20, 5);
    GetParam().setUp(p);
    for (float dt : GetParam().steps)
        EXPECT_TRUE(p.RunProcesses(dt));
    GetParam().expect(p);
}

void Fade(Particle& p, float start, float end, float change)
{
    p.AddProcess(std::make_unique<AgeFirst>());
    p.AddProcess(std::make_unique<PFade>(kAlpha, start, end, change));
}

INSTANTIATE_TEST_SUITE_P(
    Processes, ProcessTable,
    testing::Values(
        ProcessCase{"FadeSplitAnyhowIsLinearInAge", [](Particle& p) { Fade(p, 0, 2, -1); },
                    {0.3f, 0.2f, 0.25f, 0.25f},
                    [](const Particle& p) { EXPECT_NEAR(p.Alpha(), 0.5f, 1e-6f); }},
        ProcessCase{"FadeInOneStepGivesTheSame", [](Particle& p) { Fade(p, 0, 2, -1); }, {1.0f},
                    [](const Particle& p) { EXPECT_NEAR(p.Alpha(), 0.5f, 1e-6f); }},
        ProcessCase{"FadeBeforeItsWindowDoesNothing", [](Particle& p) { Fade(p, 1, 2, -1); }, {0.5f, 0.4f},
                    [](const Particle& p) { EXPECT_EQ(p.Alpha(), 1.0f); }},
        ProcessCase{"FadeWithStartAtEndAppliesAllAtOnce", [](Particle& p) { Fade(p, 1, 1, 2); }, {0.5f, 0.5f},
                    [](const Particle& p) { EXPECT_EQ(p.Alpha(), 3.0f); }},
        ProcessCase{"FadePastItsEndAppliesTheRestOnceOnly",
                    [](Particle& p) {
                        p.Age() = 5;
                        Fade(p, 0, 2, -1);
                    },
                    {0.1f, 0.1f, 0.1f}, [](const Particle& p) { EXPECT_EQ(p.Alpha(), 0.0f); }},
        ProcessCase{"SteadyIsStrictAtItsLowBound",
                    [](Particle& p) { p.AddProcess(std::make_unique<PSteady>(kSize, 0.0f, 0.5f, 2.0f)); }, {0.1f},
                    [](const Particle& p) { EXPECT_EQ(p.Size(), 1.0f); }},
        ProcessCase{"SteadyIsStrictAtItsHighBound",
                    [](Particle& p) {
                        p.Life() = 0.5f;
                        p.AddProcess(std::make_unique<PSteady>(kSize, 0.0f, 0.5f, 2.0f));
                    },
                    {0.1f}, [](const Particle& p) { EXPECT_EQ(p.Size(), 1.0f); }},
        ProcessCase{"SteadyChangesInsideItsWindow",
                    [](Particle& p) {
                        p.Life() = 0.25f;
                        p.AddProcess(std::make_unique<PSteady>(kSize, 0.0f, 0.5f, 2.0f));
                    },
                    {0.1f}, [](const Particle& p) { EXPECT_FLOAT_EQ(p.Size(), 1.2f); }},
        ProcessCase{"KineticFromRestMovesHalfATSquared",
                    [](Particle& p) {
                        p.AddProcess(std::make_unique<PKinetic>(D3DXVECTOR3(0, 0, 0), D3DXVECTOR3(4, -8, 2)));
                    },
                    {0.5f},
                    [](const Particle& p) {
                        EXPECT_FLOAT_EQ(p.position.x, 10.5f);
                        EXPECT_FLOAT_EQ(p.position.y, 19.0f);
                        EXPECT_FLOAT_EQ(p.position.z, 5.25f);
                    }},
        ProcessCase{"KineticUsesTheVelocityFromBeforeEachStep",
                    [](Particle& p) {
                        p.AddProcess(std::make_unique<PKinetic>(D3DXVECTOR3(1, 0, 0), D3DXVECTOR3(2, 0, 0)));
                    },
                    {1.0f, 1.0f},
                    // 1 + 1 in the first second, 3 + 1 in the second.
                    [](const Particle& p) { EXPECT_FLOAT_EQ(p.position.x, 16.0f); }},
        ProcessCase{"SpinTurnsByRateTimesTime", [](Particle& p) { p.AddProcess(std::make_unique<PSpin>(2.0f)); },
                    {0.25f, 0.5f}, [](const Particle& p) { EXPECT_FLOAT_EQ(p.Angle(), 1.5f); }}),
    [](const testing::TestParamInfo<ProcessCase>& info) { return std::string(info.param.name); });

TEST(ProcessesTest, LifeAndAgeEndTheParticleWhenTheyReachTheirLimit)
{
    Particle p(0, 0, 0);
    p.AddProcess(std::make_unique<PLifeConst>(0.5f));
    EXPECT_TRUE(p.RunProcesses(1.0f));
    EXPECT_FALSE(p.RunProcesses(1.0f));

    Particle q(0, 0, 0);
    q.AddProcess(std::make_unique<PAgeConst>(1.0f));
    EXPECT_TRUE(q.RunProcesses(0.5f));
    EXPECT_FALSE(q.RunProcesses(0.5f));
}

TEST(ProcessesTest, TwinkleRestsAtItsBaseOrFlashesWithinItsRanges)
{
    kv_srand(3);
    Particle p(0, 0, 0);
    p.AddProcess(std::make_unique<PTwinkle>(kSize, 0.8f));
    auto& twinkle = static_cast<PTwinkle&>(*p.processes.front());
    int flashes = 0, rests = 0;
    for (int i = 0; i < 2000; ++i) {
        p.RunProcesses(0.05f);
        if (twinkle.timer != 0.0f)
            continue;
        if (p.Size() != 0.8f) {
            ++flashes;
            EXPECT_GE(p.Size(), 0.8f);
            EXPECT_LE(p.Size(), 0.8f * 1.5f);
            EXPECT_EQ(twinkle.period, 0.2f);
        } else {
            ++rests;
            EXPECT_GE(twinkle.period, 0.2f);
            EXPECT_LE(twinkle.period, 2.5f);
        }
    }
    EXPECT_GT(flashes, 10);
    EXPECT_GT(rests, 10);
}

TEST(ProcessesTest, ANewTwinkleFiresOnItsFirstStep)
{
    Particle p(0, 0, 0);
    p.AddProcess(std::make_unique<PTwinkle>(kSize, 0.8f));
    p.RunProcesses(0.01f);
    EXPECT_GT(static_cast<PTwinkle&>(*p.processes.front()).period, 0.0f);
}

struct BrownianSetup {
    BrownianSetup()
    {
        area.corners[0].Value() = D3DXVECTOR3(0, 0, 0);
        area.corners[3].Value() = D3DXVECTOR3(100, 100, 0);
    }
    MediaQuad area;
    UINTSclaleTo<float> speed{1};
    UINTSclaleTo<float> period{2};
    UINTSclaleTo<float> steering{1};
    BrownianParams params{area, speed, period, steering};
};

TEST(ProcessesTest, BrownianOutsideItsAreaSteersToTheCentreAtSpeedOneHundred)
{
    BrownianSetup setup;
    Particle p(250, 50, 0);
    auto brownian = std::make_unique<PBrownian>(setup.params);
    brownian->velocity = D3DXVECTOR3(0, 0, 0);
    brownian->changeTimer = 10;
    PBrownian& b = *brownian;
    p.AddProcess(std::move(brownian));
    p.RunProcesses(0.25f);
    EXPECT_FALSE(b.inside);
    // After one steering time the velocity is 100 towards the centre (-x).
    for (int i = 0; i < 4; ++i)
        p.RunProcesses(0.25f);
    EXPECT_NEAR(b.velocity.x, -100.0f, 1e-3f);
    EXPECT_NEAR(b.velocity.y, 0.0f, 1e-3f);
    EXPECT_EQ(b.acceleration, D3DXVECTOR3(0, 0, 0));
}

TEST(ProcessesTest, BrownianInsideKeepsItsVelocityUntilItsTimerEnds)
{
    kv_srand(11);
    BrownianSetup setup;
    Particle p(50, 50, 0);
    auto brownian = std::make_unique<PBrownian>(setup.params);
    brownian->velocity = D3DXVECTOR3(10, 0, 0);
    brownian->changeTimer = 1.0f;
    PBrownian& b = *brownian;
    p.AddProcess(std::move(brownian));
    for (int i = 0; i < 3; ++i)
        p.RunProcesses(0.25f);
    EXPECT_EQ(b.velocity, D3DXVECTOR3(10, 0, 0));
    EXPECT_FLOAT_EQ(p.position.x, 57.5f);
    p.RunProcesses(0.5f);
    // The timer ran out: a new target, reached over the steering time, and
    // the next change 1 to 3 s away.
    EXPECT_NE(b.acceleration, D3DXVECTOR3(0, 0, 0));
    EXPECT_GE(b.changeTimer, 1.0f);
    EXPECT_LE(b.changeTimer, 3.0f);
}

// Counts its runs and ends the particle on the first.
class Counting : public PProcessT<Counting> {
public:
    explicit Counting(int* runs, bool ends) : runs(runs), ends(ends) {}
    bool Process(float, Particle&) override
    {
        ++*runs;
        return !ends;
    }
    int* runs;
    bool ends;
};

TEST(ParticleListTest, AnEndingProcessStillLetsTheRestRunThenTheParticleGoes)
{
    int runs = 0;
    ParticleList list;
    list.emplace_back(0, 0, 0);
    list.back().AddProcess(std::make_unique<Counting>(&runs, true));
    list.back().AddProcess(std::make_unique<Counting>(&runs, false));
    list.emplace_back(1, 0, 0);
    list.back().AddProcess(std::make_unique<Counting>(&runs, false));
    RunParticleList(list, 0.1f);
    EXPECT_EQ(runs, 3);
    ASSERT_EQ(list.size(), 1u);
    EXPECT_EQ(list.front().position.x, 1.0f);
}

// A particle that lived: moved, aged, faded and spun by its processes.
Particle LivedParticle()
{
    Particle p(1, 2, 3);
    p.Attach<PAgeConst>(10.0f);
    p.Attach<PFade>(kAlpha, 0.0f, 2.0f, -1.0f);
    p.Attach<PKinetic>(D3DXVECTOR3(10, 0, 0), D3DXVECTOR3(0, 0, 0));
    p.Attach<PSpin>(1.0f);
    p.Life() = 0.5f;
    p.Size() = 3.0f;
    for (int i = 0; i < 3; ++i)
        p.RunProcesses(0.5f);
    return p;
}

std::vector<const PProcess*> Processes(const Particle& p)
{
    std::vector<const PProcess*> out;
    for (const auto& process : p.processes)
        out.push_back(process.get());
    return out;
}

TEST(ParticleRestartTest, IsAsConstructedAndItsProcessesOfTheSameKindsStartAfresh)
{
    Particle p = LivedParticle();
    const std::vector<const PProcess*> before = Processes(p);
    p.Restart(D3DXVECTOR3(7, 8, 9));
    const Particle fresh(7, 8, 9);
    EXPECT_EQ(p.position, fresh.position);
    EXPECT_EQ(p.previous, fresh.previous);
    EXPECT_EQ(p.channels, fresh.channels);
    EXPECT_TRUE(p.processes.empty());
    EXPECT_TRUE(p.RunProcesses(0.5f));
    EXPECT_EQ(p.position, fresh.position);

    p.Attach<PAgeConst>(1.0f);
    p.Attach<PFade>(kAlpha, 0.0f, 1.0f, -0.5f);
    p.Attach<PKinetic>(D3DXVECTOR3(0, 4, 0), D3DXVECTOR3(0, 0, 0));
    p.Attach<PSpin>(2.0f);
    EXPECT_EQ(Processes(p), before);
    Particle reference(7, 8, 9);
    reference.AddProcess(std::make_unique<PAgeConst>(1.0f));
    reference.AddProcess(std::make_unique<PFade>(kAlpha, 0.0f, 1.0f, -0.5f));
    reference.AddProcess(std::make_unique<PKinetic>(D3DXVECTOR3(0, 4, 0), D3DXVECTOR3(0, 0, 0)));
    reference.AddProcess(std::make_unique<PSpin>(2.0f));
    for (float dt : {0.25f, 0.5f, 0.5f}) {
        EXPECT_EQ(p.RunProcesses(dt), reference.RunProcesses(dt));
        EXPECT_EQ(p.position, reference.position);
        EXPECT_EQ(p.channels, reference.channels);
    }
}

// Spins at half the rate it was given.
class HalfSpin : public PSpin {
public:
    using PSpin::PSpin;
    bool Process(float dt, Particle& p) override { return PSpin::Process(dt / 2, p); }
};

TEST(ParticleRestartTest, ReusesAProcessOnlyInItsOwnPlaceAndOfExactlyTheKind)
{
    int runs = 0;
    Particle p(0, 0, 0);
    p.AddProcess(std::make_unique<HalfSpin>(1.0f));
    p.Attach<PKinetic>(D3DXVECTOR3(1, 0, 0), D3DXVECTOR3(0, 0, 0));
    p.Attach<PSpin>(1.0f);
    p.Attach<Counting>(&runs, false);
    const std::vector<const PProcess*> first = Processes(p);
    p.Restart(D3DXVECTOR3(0, 0, 0));
    // First place: a kind derived from the one attached; third: another kind.
    p.Attach<PSpin>(4.0f);
    p.Attach<PKinetic>(D3DXVECTOR3(3, 0, 0), D3DXVECTOR3(0, 0, 0));
    p.Attach<PLifeConst>(0.5f);
    const std::vector<const PProcess*> second = Processes(p);
    const PProcess& spin = *p.processes.front();
    EXPECT_EQ(typeid(spin), typeid(PSpin));
    EXPECT_NE(second[0], first[0]);
    EXPECT_EQ(second[1], first[1]);
    EXPECT_NE(second[2], first[2]);
    // The counting process left over from the first life does not run.
    EXPECT_TRUE(p.RunProcesses(1.0f));
    EXPECT_EQ(p.Angle(), 4.0f);
    EXPECT_EQ(p.position.x, 3.0f);
    EXPECT_EQ(p.Life(), 0.5f);
    EXPECT_EQ(runs, 0);
    // Born a third time: the second life's processes in their places, then
    // what the first left over in its own.
    p.Restart(D3DXVECTOR3(0, 0, 0));
    p.Attach<PSpin>(1.0f);
    p.Attach<PKinetic>(D3DXVECTOR3(1, 0, 0), D3DXVECTOR3(0, 0, 0));
    p.Attach<PLifeConst>(0.5f);
    p.Attach<Counting>(&runs, false);
    EXPECT_EQ(Processes(p), (std::vector<const PProcess*>{second[0], second[1], second[2], first[3]}));
    p.RunProcesses(1.0f);
    EXPECT_EQ(runs, 1);
}

TEST(ParticleListTest, EndedParticlesGoToTheSparesWhoseNodesTheNextBirthsTake)
{
    ParticleList list;
    SpareParticles spares;
    for (float x : {0.0f, 1.0f, 2.0f, 3.0f})
        spares.Append(list, D3DXVECTOR3(x, 0, 0)).Attach<PLifeConst>(x == 1 || x == 2 ? 10.0f : 1.0f);
    const Particle* endedFirst = &*std::next(list.begin(), 1);
    const Particle* endedLast = &*std::next(list.begin(), 2);
    RunParticleList(list, 0.5f, &spares);
    std::vector<float> left;
    for (const Particle& p : list)
        left.push_back(p.position.x);
    EXPECT_EQ(left, (std::vector<float>{0, 3}));

    // The last to end comes back first, at the end of the list, as if
    // constructed.
    Particle& reborn = spares.Append(list, D3DXVECTOR3(5, 6, 7));
    EXPECT_EQ(&reborn, endedLast);
    EXPECT_EQ(&list.back(), &reborn);
    EXPECT_EQ(reborn.position, D3DXVECTOR3(5, 6, 7));
    EXPECT_EQ(reborn.previous, D3DXVECTOR3(5, 6, 7));
    EXPECT_EQ(reborn.channels, Particle(0, 0, 0).channels);
    EXPECT_TRUE(reborn.processes.empty());
    EXPECT_EQ(&spares.Append(list, D3DXVECTOR3(8, 0, 0)), endedFirst);
    EXPECT_EQ(list.size(), 4u);
}

TEST(ParticleListTest, CopiesCloneTheirProcesses)
{
    Particle p(0, 0, 0);
    p.AddProcess(std::make_unique<PSpin>(1.0f));
    Particle copy(p);
    copy.RunProcesses(1.0f);
    static_cast<PSpin&>(*copy.processes.front()).rate = 5;
    EXPECT_EQ(static_cast<PSpin&>(*p.processes.front()).rate, 1.0f);
    EXPECT_EQ(copy.Angle(), 1.0f);
    EXPECT_EQ(p.Angle(), 0.0f);
}

}  // namespace
