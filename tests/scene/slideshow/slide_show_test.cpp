// Playing the slide show on a 64 x 64 device: the fade through black and
// the slide changes, the objects of a slide started on every entry, the
// drawn objects' interval time, and shows with nothing to draw.
#include <gtest/gtest.h>

#include "scene/render/current_device.h"
#include "scene/render/render_fixture.h"
#include "scene/render/view_context.h"
#include "scene/resources/kv_docresmanager.h"
#include "scene/slideshow/kv_slideshow_light.h"

namespace {

class PlainDescription : public KV_ABObj_Constructor {
public:
    std::unique_ptr<KV_ABObj> CreateObject() const override;
};

// Counts what the slide does to it.
class CountingObject : public KV_ABObj {
public:
    CountingObject() : KV_ABObj(std::make_unique<PlainDescription>()) {}

    void Render(KV_ABRender&) override {}
    void Signal(int, int) override {}
    void UpdateLayout() override {}
    void Update(float) override { ++updates; }
    void SetActive(int active) override {
        KV_ABObj::SetActive(active);
        (active ? starts : stops)++;
    }

    int updates = 0;
    int starts = 0;
    int stops = 0;
};

std::unique_ptr<KV_ABObj> PlainDescription::CreateObject() const { return std::make_unique<CountingObject>(); }

struct Slide {
    KV_SlideContainer* slide;
    CountingObject* drawn;
    CountingObject* started;
};

class SlideShowTest : public render_test::RenderTest {
protected:
    SlideShowTest() : RenderTest(64, 64) {}
    void SetUp() override {
        RenderTest::SetUp();
        g_currentRenderContext = &context;
    }
    void TearDown() override {
        show.InvalidateDeviceObjects();
        g_currentRenderContext = nullptr;
        g_renderTargetSizeStack.clear();
        RenderTest::TearDown();
    }

    // A built slide with one object in each list.
    Slide AddSlide(unsigned in, unsigned hold, unsigned out) {
        auto slide = new KV_SlideContainer;
        slide->fadeIn.Value() = in;
        slide->hold.Value() = hold;
        slide->fadeOut.Value() = out;
        slide->light = CountedRef<KV_2D_Light>(new KV_2D_Light);
        slide->drawnDescriptions.push_back(std::make_unique<PlainDescription>());
        slide->startedDescriptions.push_back(std::make_unique<PlainDescription>());
        show.slides.emplace_back(slide);
        slide->Build();
        return {slide, static_cast<CountingObject*>(slide->drawnObjects[0].Get()),
                static_cast<CountingObject*>(slide->startedObjects[0].Get())};
    }

    // The alpha byte of every overlay vertex; -1 when they differ.
    int OverlayAlpha() {
        const KV_SimpleMesh* overlay = show.FadeOverlay();
        void* locked = nullptr;
        if (!overlay || FAILED(overlay->vertexBuffer->Lock(0, 0, &locked, D3DLOCK_READONLY)))
            return -2;
        const auto* vertices = static_cast<const DX_V::RHWC*>(locked);
        int alpha = static_cast<int>(vertices[0].diffuse >> 24);
        for (int i = 1; i < 4; ++i) {
            if (static_cast<int>(vertices[i].diffuse >> 24) != alpha)
                alpha = -1;
        }
        overlay->vertexBuffer->Unlock();
        return alpha;
    }

    ViewContext context;
    KV_SlideShow_Light show;
};

struct Frame {
    float after;  // seconds after the first frame
    int alpha;
    int slide;
};

TEST_F(SlideShowTest, TwoSlidesFadeThroughBlackAndChangeWhenTheFirstIsBlack) {
    const Slide first = AddSlide(1, 10, 1);
    const Slide second = AddSlide(1, 10, 1);
    const float t0 = 100;
    const Frame frames[] = {{0, 0, 0},       {0.5f, 0, 0},      {10.5f, 127, 0}, {11, 255, 0},
                            {11.01f, 255, 1}, {11.51f, 127, 1}, {12.01f, 0, 1}};
    for (const Frame& frame : frames) {
        show.FrameMove(t0 + frame.after);
        EXPECT_EQ(OverlayAlpha(), frame.alpha) << frame.after << " s";
        EXPECT_EQ(show.CurrentSlide(), show.slides[frame.slide].Get()) << frame.after << " s";
    }
    EXPECT_EQ(first.started->stops, 1);
    EXPECT_EQ(second.started->starts, 1);
    // Only the current slide's objects move.
    EXPECT_EQ(first.drawn->updates, 4);
    EXPECT_EQ(second.drawn->updates, 3);
}

// On the frame of the change the ended slide's times still count: its
// fade-in of 1 blacks the new slide, whose own fade-in is 0.
TEST_F(SlideShowTest, TheFrameOfTheChangeFadesByTheEndedSlidesTimes) {
    AddSlide(1, 1, 1);
    AddSlide(0, 10, 1);
    const float t0 = 100;
    const Frame frames[] = {{0, 0, 0}, {1.5f, 127, 0}, {2.01f, 255, 1}, {2.5f, 0, 1}};
    for (const Frame& frame : frames) {
        show.FrameMove(t0 + frame.after);
        EXPECT_EQ(OverlayAlpha(), frame.alpha) << frame.after << " s";
        EXPECT_EQ(show.CurrentSlide(), show.slides[frame.slide].Get()) << frame.after << " s";
    }
}

bool AtTheCentre(const KVM_Camera::Segment& segment) {
    return segment.fromX == 0 && segment.toX == 0 && segment.fromY == 0 && segment.toY == 0 && segment.start == 0 &&
           segment.end == 0;
}

// Every entry, the first slide's second one too, wanders from the centre.
TEST_F(SlideShowTest, EveryEntryTurnsTheCameraWanderOnAndStartsFromTheCentre) {
    const Slide slides[] = {AddSlide(1, 1, 1), AddSlide(1, 1, 1)};
    const KVM_Camera::Segment halfway{0.5f, -0.5f, 0.25f, 1.0f, 2.0f, 8.0f};
    const float entries[] = {0, 3.01f, 6.02f};
    for (int i = 0; i < 3; ++i) {
        KVM_Camera& camera = slides[i % 2].slide->light->camera;
        camera.SetMode(0);
        camera.segment = halfway;
        show.FrameMove(entries[i]);
        ASSERT_EQ(show.CurrentSlide(), slides[i % 2].slide) << i;
        EXPECT_EQ(camera.mode.Value(), KVM_Camera::ModeWander) << i;
        EXPECT_TRUE(AtTheCentre(camera.segment)) << i;
    }
}

TEST_F(SlideShowTest, AfterTheLastSlideTheFirstFollowsAndStartsItsObjectsAgain) {
    const Slide first = AddSlide(1, 1, 1);
    AddSlide(1, 1, 1);
    const Slide third = AddSlide(1, 1, 1);
    const float frames[] = {0, 2.1f, 5.2f, 8.3f, 11.4f};
    const int shown[] = {0, 1, 2, 0, 1};
    for (int i = 0; i < 5; ++i) {
        show.FrameMove(frames[i]);
        EXPECT_EQ(show.CurrentSlide(), show.slides[shown[i]].Get()) << i;
    }
    EXPECT_EQ(first.started->starts, 2);
    EXPECT_EQ(first.started->stops, 2);
    EXPECT_EQ(third.started->stops, 1);
}

TEST_F(SlideShowTest, OneSlideNeverFadesNorRestartsItsObjects) {
    const Slide only = AddSlide(1, 1, 1);
    for (float t = 0; t < 60; t += 0.75f) {
        show.FrameMove(t);
        EXPECT_EQ(OverlayAlpha(), 0) << t;
    }
    EXPECT_EQ(only.started->starts, 1);
    EXPECT_EQ(only.started->stops, 0);
    EXPECT_EQ(only.drawn->updates, 80);
}

struct IntervalCase {
    UINT period;  // hundredths
    float t;
    float expected;
};

class SlideIntervalTime : public SlideShowTest, public testing::WithParamInterface<IntervalCase> {};

TEST_P(SlideIntervalTime, WrapsAtTheLoopPeriodOrRunsOnWithoutOne) {
    const Slide slide = AddSlide(1, 10, 1);
    slide.slide->loopPeriod.StoreAndNotify(GetParam().period);
    show.FrameMove(GetParam().t);
    EXPECT_FLOAT_EQ(slide.drawn->Description().TimeLine().intervalTime, GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Periods, SlideIntervalTime,
                         testing::Values(IntervalCase{1000, 25.5f, 5.5f}, IntervalCase{1000, 7, 7},
                                         IntervalCase{250, 10.25f, 0.25f}, IntervalCase{0, 25.5f, 25.5f}));

// Slides of wide 8 x 4 pictures, each with a border picture of its own, in
// the document resource manager.
class SlideBordersTest : public SlideShowTest {
protected:
    void SetUp() override {
        SlideShowTest::SetUp();
        g_currentDocResManager = &manager;
    }
    void TearDown() override {
        SlideShowTest::TearDown();
        g_currentDocResManager = nullptr;
    }

    void AddPictureSlide(D3DCOLOR picture, D3DCOLOR border) {
        const LONGLONG n = static_cast<LONGLONG>(show.slides.size());
        const ResourceKey pictureKey{L"picture.png", 2 * n + 1}, borderKey{L"border.png", 2 * n + 2};
        Store(pictureKey, MakeTexture(8, 4, std::vector<D3DCOLOR>(32, picture)), 8, 4);
        Store(borderKey, MakeTexture(1, 1, {border}), 1, 1);
        auto slide = new KV_SlideContainer;
        slide->fadeIn.Value() = 0;
        slide->light = CountedRef<KV_2D_Light>(new KV_2D_Light);
        slide->light->pictureLink.SetKey(pictureKey);
        slide->light->camera.borderLink.SetKey(borderKey);
        show.slides.emplace_back(slide);
        slide->Build();
    }

    // The show drawn at t.
    void DrawAt(float t) {
        show.FrameMove(t);
        ASSERT_EQ(device()->BeginScene(), D3D_OK);
        show.Render(0);
        device()->EndScene();
    }

    KV_DocResManager manager;

private:
    void Store(const ResourceKey& key, IDirect3DTexture9* texture, UINT w, UINT h) {
        TextureSequence& sequence = manager.Tables().sequences[key];
        sequence.AppendFrame(texture);
        sequence.width = w;
        sequence.height = h;
        sequence.aspect = static_cast<float>(h) / static_cast<float>(w);
    }
};

// Fitted, the picture spans rows 16 to 47; the bars show the border picture
// of the slide on screen.
TEST_F(SlideBordersTest, TheBarsOfAFittedSlideShowItsOwnBorderPicture) {
    AddPictureSlide(0xFF808080, 0xFFFF0000);
    AddPictureSlide(0xFF404040, 0xFF0000FF);
    const struct {
        float t;
        D3DCOLOR picture, border;
    } frames[] = {{0, 0x808080, 0xFF0000}, {11.1f, 0x404040, 0x0000FF}, {22.2f, 0x808080, 0xFF0000}};
    for (const auto& frame : frames) {
        DrawAt(frame.t);
        EXPECT_EQ(Pixel(32, 32), frame.picture) << frame.t << " s";
        EXPECT_EQ(Pixel(32, 4), frame.border) << frame.t << " s";
        EXPECT_EQ(Pixel(32, 60), frame.border) << frame.t << " s";
    }
}

TEST_F(SlideShowTest, AShowWithNothingToDrawLeavesTheTargetBlack) {
    struct Case {
        const char* name;
        bool addSlide;
    };
    for (const Case& c : {Case{"no slides", false}, Case{"a slide without a light", true}}) {
        KV_SlideShow_Light empty;
        if (c.addSlide) {
            empty.slides.emplace_back(new KV_SlideContainer);
            empty.BuildSlides();
        }
        ASSERT_EQ(device()->Clear(0, nullptr, D3DCLEAR_TARGET, 0xFF00FF00, 1.0f, 0), D3D_OK);
        ASSERT_EQ(device()->BeginScene(), D3D_OK);
        empty.FrameMove(1);
        empty.Render(0);
        device()->EndScene();
        EXPECT_EQ(Pixel(32, 32), 0u) << c.name;
        empty.InvalidateDeviceObjects();
    }
}

}  // namespace
