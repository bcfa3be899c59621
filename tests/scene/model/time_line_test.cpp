#include "scene/model/crt_random.h"
#include "scene/model/time_line_control.h"

#include <gtest/gtest.h>

#include <cmath>
#include <iterator>
#include <limits>
#include <ostream>

namespace {

TEST(TimeLine, AlwaysShownRunsWithTheGlobalClock)
{
    for (int speedMode : {0, 2}) {
        KV_TimeLineControl timeLine;
        timeLine.speedMode.Value() = speedMode;
        EXPECT_EQ(timeLine.GetOpacity(), 1.0f);
        EXPECT_EQ(timeLine.GetPhase(), kPhaseShown);
        EXPECT_FLOAT_EQ(timeLine.Machine().LocalTime(timeLine, 4.0f), 4.0f);
        EXPECT_FLOAT_EQ(timeLine.Machine().LocalTime(timeLine, 4.5f), 4.5f);
    }
}

struct IntervalCase {
    float t;
    bool found;
    float opacity;
    TimeLinePhase phase;
};

void PrintTo(const IntervalCase& c, std::ostream* os) { *os << "t " << c.t; }

class IntervalMode : public testing::TestWithParam<IntervalCase> {};

TEST_P(IntervalMode, AnswersAtTime)
{
    const IntervalCase& c = GetParam();
    KV_TimeLineControl timeLine;
    timeLine.mode.Value() = KV_TimeLineControl::kModeIntervals;
    ASSERT_TRUE(timeLine.AddInterval(10, 20, 12, 18));
    timeLine.intervalTime = c.t;
    EXPECT_FLOAT_EQ(timeLine.GetOpacity(), c.opacity);
    EXPECT_EQ(timeLine.GetPhase(), c.phase);
    // Without an interval: fades 0.5 + 0.5 and the visible minimum 1.00.
    EXPECT_FLOAT_EQ(timeLine.GetLength(), c.found ? 10.0f : 2.0f);
}

INSTANTIATE_TEST_SUITE_P(TimeLine, IntervalMode,
                         testing::Values(IntervalCase{6.5f, false, 0.0f, kPhaseHidden},
                                         IntervalCase{7.5f, true, 0.0f, kPhaseHidden},
                                         IntervalCase{11.0f, true, 0.5f, kPhaseFadingIn},
                                         IntervalCase{15.0f, true, 1.0f, kPhaseShown},
                                         IntervalCase{19.0f, true, 0.5f, kPhaseFadingOut},
                                         IntervalCase{20.5f, false, 0.0f, kPhaseHidden},
                                         IntervalCase{std::numeric_limits<float>::quiet_NaN(), false, 0.0f,
                                                      kPhaseHidden}));

TEST(TimeLine, IntervalModeWithoutIntervals)
{
    KV_TimeLineControl timeLine;
    timeLine.mode.Value() = KV_TimeLineControl::kModeIntervals;
    timeLine.intervalTime = 3.0f;
    EXPECT_EQ(timeLine.GetOpacity(), 0.0f);
    EXPECT_EQ(timeLine.GetPhase(), kPhaseHidden);
    EXPECT_FLOAT_EQ(timeLine.GetLength(), 2.0f);
}

TEST(TimeLine, OverlappingOrTouchingIntervalsKeepTheFirst)
{
    KV_TimeLineControl timeLine;
    EXPECT_TRUE(timeLine.AddInterval(10, 20, 12, 18));
    EXPECT_FALSE(timeLine.AddInterval(15, 25, 16, 24));
    EXPECT_FALSE(timeLine.AddInterval(20, 30, 22, 28)); // touches
    EXPECT_FALSE(timeLine.AddInterval(0, 40, 1, 39));   // contains
    EXPECT_TRUE(timeLine.AddInterval(30, 40, 31, 39));
    EXPECT_TRUE(timeLine.AddInterval(0, 5, 1, 4));
    EXPECT_FALSE(timeLine.AddInterval(35, 50, 36, 49));
    EXPECT_TRUE(timeLine.AddInterval(45, 55, 46, 54)); // only a dropped one is in the way
    ASSERT_EQ(timeLine.Intervals().Size(), 4u);
    float previousEnd = -1;
    for (const TimeInterval& interval : timeLine.Intervals()) {
        EXPECT_LT(previousEnd, interval.start);
        previousEnd = interval.end;
    }
    const TimeInterval& second = *std::next(timeLine.Intervals().begin());
    EXPECT_EQ(second.start, 10.0f);
    EXPECT_EQ(second.end, 20.0f);
}

TEST(TimeLine, MalformedIntervalsAreDroppedOrOrdered)
{
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float inf = std::numeric_limits<float>::infinity();
    KV_TimeLineControl timeLine;
    EXPECT_FALSE(timeLine.AddInterval(nan, 20, 12, 18));
    EXPECT_FALSE(timeLine.AddInterval(10, inf, 12, 18));
    EXPECT_TRUE(timeLine.Intervals().Empty());

    // End before start, envelope outside the interval: the values are put in order.
    EXPECT_TRUE(timeLine.AddInterval(20, 10, 25, 5));
    const TimeInterval& interval = *timeLine.Intervals().begin();
    EXPECT_EQ(interval.start, 5.0f);
    EXPECT_EQ(interval.fullFrom, 10.0f);
    EXPECT_EQ(interval.fullTo, 20.0f);
    EXPECT_EQ(interval.end, 25.0f);

    timeLine.mode.Value() = KV_TimeLineControl::kModeIntervals;
    for (float t = 0; t < 30; t += 0.25f) {
        timeLine.intervalTime = t;
        const float opacity = timeLine.GetOpacity();
        EXPECT_TRUE(opacity >= 0.0f && opacity <= 1.0f) << "t " << t << " opacity " << opacity;
    }
}

TEST(TimeInterval, ZeroLengthRampsStayDefined)
{
    const TimeInterval sharp = *TimeInterval::FromStored(10, 20, 10, 20);
    for (float t : {10.0f, 15.0f, 20.0f}) {
        const float opacity = sharp.Envelope(t);
        EXPECT_TRUE(opacity >= 0.0f && opacity <= 1.0f) << t;
    }
    EXPECT_EQ(sharp.Envelope(15.0f), 1.0f);
}

struct CycleStep {
    float t;
    TimeLinePhase phase;
    float opacity;
};

TEST(TimeLine, RandomCycleWalksThroughItsFourStates)
{
    kv_srand(1);
    KV_TimeLineControl timeLine;
    timeLine.mode.Value() = KV_TimeLineControl::kModeCycle;
    // Defaults: fades 0.5 s, hidden and shown 1.00 s.
    const CycleStep steps[] = {
        {0.1f, kPhaseFadingIn, 0.0f},   {0.35f, kPhaseFadingIn, 0.5f}, {0.6f, kPhaseFadingIn, 1.0f},
        {0.7f, kPhaseShown, 1.0f},      {1.7f, kPhaseShown, 1.0f},     {1.8f, kPhaseFadingOut, 1.0f},
        {2.05f, kPhaseFadingOut, 0.5f}, {2.4f, kPhaseHidden, 0.0f},    {3.4f, kPhaseHidden, 0.0f},
        {3.5f, kPhaseFadingIn, 0.0f},
    };
    for (const CycleStep& step : steps) {
        timeLine.Machine().LocalTime(timeLine, step.t);
        EXPECT_EQ(timeLine.GetPhase(), step.phase) << "t " << step.t;
        EXPECT_NEAR(timeLine.GetOpacity(), step.opacity, 1e-5f) << "t " << step.t;
    }
    // A large jump moves one state per frame.
    timeLine.Machine().LocalTime(timeLine, 100.0f);
    EXPECT_EQ(timeLine.GetPhase(), kPhaseShown);
}

TEST(TimeLine, SpeedModeRunsTheLocalClockAtTheOpacity)
{
    KV_TimeLineControl timeLine;
    timeLine.mode.Value() = KV_TimeLineControl::kModeCycle;
    timeLine.speedMode.Value() = KV_TimeLineControl::kSpeedFollowsOpacity;
    const std::pair<float, float> frames[] = {
        {0.1f, 0.0f},    {0.35f, 0.125f}, {0.6f, 0.375f}, {0.7f, 0.475f}, {1.2f, 0.975f},
        {1.8f, 1.575f}, {2.05f, 1.7f},   {2.4f, 1.7f},    {3.0f, 1.7f},
    };
    for (const auto& [t, local] : frames)
        EXPECT_NEAR(timeLine.Machine().LocalTime(timeLine, t), local, 1e-5f) << "t " << t;
}

TEST(TimeLine, ResetStartsANewFadeIn)
{
    KV_TimeLineControl timeLine;
    timeLine.mode.Value() = KV_TimeLineControl::kModeCycle;
    timeLine.Machine().LocalTime(timeLine, 0.1f);
    timeLine.Machine().LocalTime(timeLine, 0.7f);
    ASSERT_EQ(timeLine.GetPhase(), kPhaseShown);
    timeLine.Machine().Reset();
    EXPECT_EQ(timeLine.GetPhase(), kPhaseHidden);
    EXPECT_FLOAT_EQ(timeLine.Machine().LocalTime(timeLine, 0.2f), 0.2f);
    EXPECT_EQ(timeLine.GetPhase(), kPhaseFadingIn);
}

TEST(TimeLine, ZeroFadesStayWithinRange)
{
    KV_TimeLineControl timeLine;
    timeLine.mode.Value() = KV_TimeLineControl::kModeCycle;
    timeLine.fadeIn.SetValue(0);
    timeLine.fadeOut.SetValue(0);
    for (float t = 0.05f; t < 6.0f; t += 0.05f) {
        timeLine.Machine().LocalTime(timeLine, t);
        const float opacity = timeLine.GetOpacity();
        EXPECT_TRUE(opacity >= 0.0f && opacity <= 1.0f) << "t " << t << " opacity " << opacity;
    }
}

TEST(TimeLine, NaNTimeGivesNoOpacity)
{
    KV_TimeLineControl timeLine;
    timeLine.mode.Value() = KV_TimeLineControl::kModeCycle;
    timeLine.Machine().LocalTime(timeLine, 0.1f); // the fade-in starts
    timeLine.Machine().LocalTime(timeLine, 0.35f); // half way
    ASSERT_GT(timeLine.GetOpacity(), 0.0f);
    timeLine.Machine().LocalTime(timeLine, std::numeric_limits<float>::quiet_NaN());
    EXPECT_EQ(timeLine.GetOpacity(), 0.0f);
}

TEST(TimeLine, CopyKeepsSettingsAndStartsItsOwnClock)
{
    KV_TimeLineControl original;
    original.mode.Value() = KV_TimeLineControl::kModeCycle;
    original.fadeIn.SetValue(120);
    original.visibleRange.random = false;
    original.ownerWords = {1, 2, 3};
    original.AddInterval(1, 2, 1.5f, 1.5f);
    original.intervalTime = 9.0f;
    original.Machine().LocalTime(original, 0.3f);

    const KV_TimeLineControl copy(original);
    EXPECT_EQ(copy.mode.Value(), KV_TimeLineControl::kModeCycle);
    EXPECT_FLOAT_EQ(copy.fadeIn.Result(), 1.2f);
    EXPECT_FALSE(copy.visibleRange.random);
    EXPECT_EQ(copy.ownerWords, original.ownerWords);
    EXPECT_EQ(copy.Intervals().Size(), 1u);
    EXPECT_EQ(copy.intervalTime, 0.0f);
    EXPECT_EQ(copy.Machine().LastTime(), 0.0f);
    EXPECT_EQ(copy.GetPhase(), kPhaseHidden);
}

TEST(DurationRange, PicksWholeHundredthsWithinTheRange)
{
    kv_srand(1);
    DurationRange range;
    range.minimum.Value() = 100;
    range.maximum.Value() = 300;
    bool sawLowest = false, sawHighest = false;
    for (int i = 0; i < 5000; ++i) {
        const float seconds = range.PickSeconds();
        ASSERT_GE(seconds, 1.0f);
        ASSERT_LE(seconds, 3.0f);
        const float hundredths = seconds * 100.0f;
        ASSERT_NEAR(hundredths, std::round(hundredths), 1e-3f);
        sawLowest |= seconds == 1.0f;
        sawHighest |= seconds == 3.0f;
    }
    EXPECT_TRUE(sawLowest);
    EXPECT_TRUE(sawHighest);

    range.random = false;
    EXPECT_EQ(range.PickSeconds(), 1.0f);
}

TEST(DurationRange, DegenerateRangesStayDefined)
{
    DurationRange range;
    range.minimum.Value() = 200;
    range.maximum.Value() = 199; // the divisor would be 0
    EXPECT_FLOAT_EQ(range.PickSeconds(), 2.0f);
    range.maximum.Value() = 5;
    EXPECT_FLOAT_EQ(range.PickSeconds(), 2.0f);

    range.minimum.Value() = 0;
    range.maximum.Value() = 0xFFFFFFFFu; // the divisor would wrap to 0
    const float seconds = range.PickSeconds();
    EXPECT_TRUE(seconds >= 0.0f && seconds <= 327.67f);
}

} // namespace
