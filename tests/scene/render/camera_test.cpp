#include "scene/render/kvm_camera.h"

#include "support/document_bytes.h"
#include "scene/document/kv_iof_r.h"
#include "scene/document/resource_buffer.h"
#include "scene/document/writer/kv_iof_w.h"
#include "scene/model/crt_random.h"
#include "scene/render/view_context.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

std::unique_ptr<KVM_Camera> ReadCamera(const Bytes& record)
{
    HeldBytes held(record);
    ResourceBuffer buffer = held.Buffer();
    KV_IOF_R<ResourceBuffer> archive(buffer);
    std::unique_ptr<KVM_Camera> camera = KVM_Camera::ReadNew(archive);
    EXPECT_FALSE(archive.Failed());
    EXPECT_EQ(buffer.Remaining(), 0u);
    return camera;
}

TEST(CameraRecordTest, VersionOneKeepsTheDefaultBorderAndSetsTheDerivedFactors)
{
    const auto camera = ReadCamera(Join({Frame(u"KVM_Camera", 1), LeInt(1), Le32(150), Le32(100)}));
    EXPECT_EQ(camera->enable.Value(), 1);
    EXPECT_FLOAT_EQ(camera->zoom.Result(), 1.5f);
    EXPECT_FLOAT_EQ(camera->speed.Result(), 2.0f);
    EXPECT_EQ(camera->borderLink.Key().name, L"common_res.dll");
    EXPECT_EQ(camera->borderLink.Key().stamp, 6);
}

TEST(CameraRecordTest, VersionTwoReadsTheBorderLinkAndWritesItsOwnBytes)
{
    const Bytes record = Join({Frame(u"KVM_Camera", 2), LeInt(0), Le32(120), Le32(50), ShortString(u"edge.png"),
                               Le32(42), Le32(0)});
    const auto camera = ReadCamera(record);
    EXPECT_EQ(camera->borderLink.Key().name, L"edge.png");
    EXPECT_EQ(camera->borderLink.Key().stamp, 42);
    KV_IOF_W writer;
    camera->Write(writer);
    EXPECT_EQ(writer.Bytes(), record);
}

TEST(CameraRecordTest, AssignCopiesSettingsProgressAndSegment)
{
    KVM_Camera source;
    source.enable.SetValue(1);
    source.zoom.SetValue(200);
    source.speed.SetValue(100);
    source.speed.Advance(0.1f);
    source.SetMode(KVM_Camera::ModeWander);
    source.segment = {0.1f, 0.2f, 0.3f, 0.4f, 1.0f, 6.0f};
    source.borderLink.SetKey({L"frame.png", 9});

    KVM_Camera copy;
    copy.Assign(source);
    EXPECT_EQ(copy.enable.Value(), 1);
    EXPECT_FLOAT_EQ(copy.zoom.Result(), 2.0f);
    EXPECT_FLOAT_EQ(copy.speed.Result(), 2.0f);
    EXPECT_FLOAT_EQ(copy.speed.Phase(), source.speed.Phase());
    EXPECT_FLOAT_EQ(copy.speed.LastTime(), 0.1f);
    EXPECT_EQ(copy.mode.Value(), KVM_Camera::ModeWander);
    EXPECT_EQ(copy.borderLink.Key(), source.borderLink.Key());
    EXPECT_FLOAT_EQ(copy.segment.toY, 0.4f);
    EXPECT_FLOAT_EQ(copy.segment.end, 6.0f);
}

// A 200 x 100 picture: zoom and pan show in the matrix without a device.
void Place(ViewContext& context)
{
    context.pictureWidth = 200;
    context.pictureHeight = 100;
}

class CameraTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        Place(context);
        g_currentRenderContext = &context;
        kv_srand(7);
    }
    void TearDown() override { g_currentRenderContext = nullptr; }

    D3DXMATRIX Expected(float zoom, float x, float y)
    {
        ViewContext reference;
        Place(reference);
        reference.SetZoomPan(zoom, x, y);
        return reference.zoomPan;
    }

    ViewContext context;
    KVM_Camera camera;
};

TEST_F(CameraTest, DisabledOrNotWanderingStaysCentredWhileThePhaseAdvances)
{
    struct Case {
        int enable;
        int mode;
    };
    for (const Case c : {Case{0, KVM_Camera::ModeWander}, Case{1, 0}}) {
        KVM_Camera still;
        still.enable.SetValue(c.enable);
        still.SetMode(c.mode);
        context.SetZoomPan(2, 1, 1);
        still.FrameMove(0.0f);
        still.FrameMove(0.1f);
        EXPECT_EQ(context.zoomPan, Expected(1, 0, 0)) << c.enable << c.mode;
        EXPECT_FLOAT_EQ(still.speed.Phase(), 0.1f);
    }
}

TEST_F(CameraTest, FrameGapsAreCappedAndBackwardTimeAdvancesNothing)
{
    struct Case {
        float from, to, step;
    };
    for (const Case c : {Case{1.0f, 1.1f, 0.1f}, Case{1.0f, 3.0f, 0.2f}, Case{5.0f, 2.0f, 0.0f}}) {
        KVM_Camera timed;
        timed.speed.SetValue(100);
        timed.FrameMove(c.from);
        const float before = timed.speed.Phase();
        timed.FrameMove(c.to);
        EXPECT_NEAR(timed.speed.Phase() - before, 2.0f * c.step, 1e-5f) << c.from << " -> " << c.to;
    }
}

TEST_F(CameraTest, WanderingEasesAlongTheSegmentAtTheZoom)
{
    camera.enable.SetValue(1);
    camera.SetMode(KVM_Camera::ModeWander);
    camera.FrameMove(0.0f);
    // Run until a move starts, then sample it a quarter of the way.
    float t = 0.0f;
    while (camera.segment.toX == camera.segment.fromX && camera.segment.toY == camera.segment.fromY) {
        t += 0.1f;
        camera.FrameMove(t);
    }
    const KVM_Camera::Segment move = camera.segment;
    const float quarter = t + (move.end - move.start) / 4.0f;
    for (float step = t + 0.1f; step < quarter; step += 0.1f)
        camera.FrameMove(step);
    camera.FrameMove(quarter);
    const float f = (1.0f - std::cos(3.14159265f * (camera.speed.Phase() - move.start) / (move.end - move.start))) / 2;
    const D3DXMATRIX expected =
        Expected(1.2f, move.fromX + f * (move.toX - move.fromX), move.fromY + f * (move.toY - move.fromY));
    for (int i = 0; i < 16; ++i)
        EXPECT_NEAR((&context.zoomPan._11)[i], (&expected._11)[i], 1e-3f);
    EXPECT_NE(context.zoomPan, Expected(1.2f, move.fromX, move.fromY));
}

TEST_F(CameraTest, MovesLastFiveToSevenSecondsAndRestsHalfASecondScaledBySpeed)
{
    struct Case {
        unsigned int speed;
        float secondsPerPhase;
    };
    for (const Case c : {Case{50, 1.0f}, Case{100, 0.5f}}) {
        KVM_Camera wandering;
        wandering.enable.SetValue(1);
        wandering.speed.SetValue(c.speed);
        wandering.SetMode(KVM_Camera::ModeWander);
        bool sawMove = false, sawRest = false;
        const float frame = 0.01f;
        float started = 0.0f;
        KVM_Camera::Segment current;
        for (int i = 0; i <= 12000; ++i) {
            const float t = static_cast<float>(i) * frame;
            wandering.FrameMove(t);
            if (wandering.segment.start == current.start && i > 0)
                continue;
            if (i > 0) {
                const float seconds = t - started;
                const bool rest = current.toX == current.fromX && current.toY == current.fromY;
                if (rest) {
                    EXPECT_NEAR(seconds, 0.5f * c.secondsPerPhase, 2 * frame) << c.speed;
                    sawRest = true;
                } else {
                    EXPECT_GE(seconds, 5.0f * c.secondsPerPhase - 2 * frame) << c.speed;
                    EXPECT_LE(seconds, 7.0f * c.secondsPerPhase + 2 * frame) << c.speed;
                    sawMove = true;
                }
            }
            current = wandering.segment;
            started = t;
        }
        EXPECT_TRUE(sawMove && sawRest) << c.speed;
    }
}

TEST_F(CameraTest, ARestHoldsTheLastTargetAndAMoveDrawsItsTargetsInOrder)
{
    bool sawRest = false, sawMove = false;
    for (unsigned int seed = 1; seed < 64 && !(sawRest && sawMove); ++seed) {
        kv_srand(seed);
        std::vector<int> draws;
        for (int i = 0; i < 4; ++i)
            draws.push_back(kv_rand());
        kv_srand(seed);
        KVM_Camera next;
        next.segment.toX = 0.25f;
        next.segment.toY = -0.5f;
        next.NextSegment(3.0f);
        EXPECT_FLOAT_EQ(next.segment.start, 3.0f);
        EXPECT_FLOAT_EQ(next.segment.fromX, 0.25f);
        EXPECT_FLOAT_EQ(next.segment.fromY, -0.5f);
        if (draws[0] % 2 == 0) {
            sawRest = true;
            EXPECT_FLOAT_EQ(next.segment.toX, 0.25f);
            EXPECT_FLOAT_EQ(next.segment.toY, -0.5f);
            EXPECT_FLOAT_EQ(next.segment.end, 3.5f);
        } else {
            sawMove = true;
            EXPECT_FLOAT_EQ(next.segment.toX, draws[1] / 32767.0f * 2 - 1);
            EXPECT_FLOAT_EQ(next.segment.toY, draws[2] / 32767.0f * 2 - 1);
            EXPECT_FLOAT_EQ(next.segment.end, 3.0f + draws[3] / 32767.0f * 2 + 5);
        }
    }
    EXPECT_TRUE(sawRest && sawMove);
}

} // namespace
