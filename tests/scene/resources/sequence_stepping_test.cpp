// Frame stepping of image sequences. Frames may be null: only the index
// and the timing matter here.
#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "scene/resources/texture_sequence.h"

namespace {

TextureSequence Sequence(UINT frames, std::vector<float> durations) {
    TextureSequence sequence;
    for (UINT i = 0; i < frames; ++i) sequence.AppendFrame(nullptr);
    sequence.durations = std::move(durations);
    return sequence;
}

struct Step {
    float t;
    UINT current;
    float lastSwitch;
};

struct SteppingCase {
    const char* name;
    UINT frames;
    std::vector<float> durations;
    bool forward;
    std::vector<Step> steps;
};

void PrintTo(const SteppingCase& c, std::ostream* os) { *os << c.name; }

class SequenceStepping : public testing::TestWithParam<SteppingCase> {};

TEST_P(SequenceStepping, MovesTheIndexWhenTheFramesTimeIsUp) {
    const auto& c = GetParam();
    TextureSequence sequence = Sequence(c.frames, c.durations);
    for (const Step& step : c.steps) {
        if (c.forward) {
            sequence.StepForward(step.t);
        } else {
            sequence.StepBackward(step.t);
        }
        EXPECT_EQ(sequence.current, step.current) << "at " << step.t;
        EXPECT_FLOAT_EQ(sequence.lastSwitch, step.lastSwitch) << "at " << step.t;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SequenceStepping,
    testing::Values(
        SteppingCase{"ForwardWrapsAtTheEnd", 2, {0.5f, 0.5f}, true, {{0.4f, 0, 0.0f}, {0.6f, 1, 0.6f}, {1.2f, 0, 1.2f}}},
        // A time before the last switch restarts the frame's timing only.
        SteppingCase{"TimeGoingBackwards", 2, {0.5f, 0.5f}, true, {{0.6f, 1, 0.6f}, {0.3f, 1, 0.3f}, {0.7f, 1, 0.3f}}},
        SteppingCase{"BackwardWrapsFromTheFirst", 3, {0.5f, 0.5f, 0.5f}, false,
                     {{0.6f, 2, 0.6f}, {1.2f, 1, 1.2f}, {1.8f, 0, 1.8f}}},
        SteppingCase{"NoDurationsNeverStep", 2, {}, true, {{5.0f, 0, 0.0f}, {-1.0f, 0, -1.0f}}},
        // More durations than frames: the index never names a missing frame.
        SteppingCase{"FiveDurationsOverThreeFrames", 3, {0.1f, 0.1f, 0.1f, 0.1f, 0.1f}, true,
                     {{0.2f, 1, 0.2f}, {0.4f, 2, 0.4f}, {0.6f, 0, 0.6f}, {0.8f, 1, 0.8f}}},
        SteppingCase{"FiveDurationsOverThreeFramesBackward", 3, {0.1f, 0.1f, 0.1f, 0.1f, 0.1f}, false,
                     {{0.2f, 2, 0.2f}, {0.4f, 1, 0.4f}}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(SequenceFirstFrame, WithoutFramesIsARecordWithoutTexture) {
    TextureSequence sequence;
    sequence.width = 64;
    const TextureRecord record = sequence.GetFirstFrame();
    EXPECT_EQ(record.Texture(), nullptr);
    EXPECT_EQ(record.width, 0u);
    EXPECT_EQ(record.height, 0u);
    EXPECT_FLOAT_EQ(record.aspect, 1.0f);
}

TEST(TextureRecordSet, AZeroWidthKeepsTheAspectFinite) {
    TextureRecord record;
    D3DXIMAGE_INFO info{};
    info.Width = 400;
    info.Height = 100;
    record.Set(info, nullptr);
    EXPECT_FLOAT_EQ(record.aspect, 0.25f);
    record.Set(D3DXIMAGE_INFO{}, nullptr);
    EXPECT_EQ(record.width, 0u);
    EXPECT_FLOAT_EQ(record.aspect, 1.0f);
}

}  // namespace
