// Every slide of the sample scene as the program carries it, played alone
// on a small back buffer: each object it draws shows somewhere on screen,
// and the slide survives a device reset in the middle of it. Both walk
// whatever slides and objects the document holds, so a slide added to the
// sample is checked as it is added.
#include <algorithm>
#include <cstdlib>
#include <optional>
#include <string>
#include <typeinfo>
#include <vector>

#include <gtest/gtest.h>
#include <windows.h>

#include "platform/d3d9/d3d9_machine.h"
#include "scene/document/scene_document.h"
#include "scene/model/crt_random.h"
#include "scene/render/current_device.h"
#include "scene/render/view_context.h"
#include "scene/slideshow/kv_slideshow_light.h"

namespace {

constexpr UINT kWidth = 256, kHeight = 144;
constexpr float kFrameStep = 0.2f;
constexpr int kMaxFrames = 60;
// A channel that moves by this much is a change a viewer sees.
constexpr int kVisibleStep = 12;

using Frame = std::vector<D3DCOLOR>;

// The share of the pixels whose colour changes visibly.
double ChangedShare(const Frame& a, const Frame& b) {
    std::size_t changed = 0;
    for (std::size_t i = 0; i < a.size(); ++i) {
        for (int shift : {0, 8, 16}) {
            const int x = static_cast<int>((a[i] >> shift) & 0xFF), y = static_cast<int>((b[i] >> shift) & 0xFF);
            if (std::abs(x - y) >= kVisibleStep) {
                ++changed;
                break;
            }
        }
    }
    return a.empty() ? 0.0 : static_cast<double>(changed) / static_cast<double>(a.size());
}

std::string Describe(std::size_t slide, const KV_ABObj* object) {
    std::string text = "slide " + std::to_string(slide + 1);
    if (object) text += std::string(", ") + typeid(object->Description()).name();
    return text;
}

class SampleSlides : public d3d9_test::D3D9Test {
protected:
    void SetUp() override {
        D3D9Test::SetUp();
        presentation_ = Windowed(MakeWindow({0, 0, kWidth, kHeight}));
        *device_.out() = CreateDevice(0, presentation_);
        ASSERT_NE(device_.get(), nullptr);
        g_currentDevice = device_.get();
        MakeRenderContextCurrent(&context_);
        // common_res.res as the build lays it beside saver.
        setenv("SAVER_MODULE_PATH", SAVER_BUILD_DIR, 1);
    }
    void TearDown() override {
        Unload();
        MakeRenderContextCurrent(nullptr);
        g_currentDevice = nullptr;
        unsetenv("SAVER_MODULE_PATH");
        device_.Reset();
        D3D9Test::TearDown();
    }

    std::size_t SlideCount() {
        Unload();
        document_ = LoadSceneDocument();
        return document_.root ? document_.root->slides.size() : 0;
    }

    // A fresh copy of the document whose show holds that one slide only,
    // built and in Fill as the host starts it: no fade, nothing of the
    // other slides.
    KV_SlideContainer& Play(std::size_t index) {
        Unload();
        document_ = LoadSceneDocument();
        KV_SlideShow_Light& show = *document_.root;
        const CountedRef<KV_SlideContainer> slide = show.slides.at(index);
        show.slides = {slide};
        // What scatters itself when it is made does it alike in every play.
        kv_srand(1);
        show.BuildSlides();
        show.SetPicturePosition(ViewContext::Fill);
        return *show.slides.front();
    }

    // Every frame starts the scene's random numbers over, so that drawing a
    // frame twice, or without one object, draws everything else alike.
    void Advance(int frame) {
        kv_srand(static_cast<unsigned>(frame) + 1);
        document_.root->FrameMove(static_cast<float>(frame) * kFrameStep);
    }

    // The frame as the show draws it, with or without one drawn object.
    Frame Draw(KV_SlideContainer& slide, std::optional<std::size_t> hidden = std::nullopt) {
        std::vector<CountedRef<KV_ABObj>> all = slide.drawnObjects;
        if (hidden) slide.drawnObjects.erase(slide.drawnObjects.begin() + static_cast<std::ptrdiff_t>(*hidden));
        kv_srand(7);
        EXPECT_EQ(device_->BeginScene(), D3D_OK);
        document_.root->Render(0);
        device_->EndScene();
        slide.drawnObjects = all;
        UINT w = 0, h = 0;
        return d3d9_test::ReadBackBuffer(device_.get(), w, h);
    }

    static int FrameCount(const KV_SlideContainer& slide) {
        const unsigned seconds = slide.fadeIn.Value() + slide.hold.Value() + slide.fadeOut.Value();
        return std::min(kMaxFrames, static_cast<int>(static_cast<float>(seconds) / kFrameStep) + 1);
    }

    // Which drawn objects change the frame in at least one of these frames;
    // each frame is also drawn twice, which must give the same pixels.
    std::vector<bool> ObjectsShown(std::size_t index, KV_SlideContainer& slide, int first, int frames) {
        std::vector<bool> shown(slide.drawnObjects.size(), false);
        for (int frame = first; frame < first + frames && std::count(shown.begin(), shown.end(), false) > 0; ++frame) {
            Advance(frame);
            const Frame whole = Draw(slide);
            EXPECT_EQ(ChangedShare(whole, Draw(slide)), 0.0) << Describe(index, nullptr) << ": drawn twice, frame " << frame;
            for (std::size_t object = 0; object < shown.size(); ++object) {
                if (!shown[object]) shown[object] = ChangedShare(whole, Draw(slide, object)) > 0;
            }
        }
        return shown;
    }

    // As the host resets a device: the scene's device objects released,
    // the device reset, the current slide's restored at once.
    HRESULT ResetDevice() {
        document_.root->InvalidateDeviceObjects();
        D3DPRESENT_PARAMETERS parameters = presentation_;
        const HRESULT result = device_->Reset(&parameters);
        document_.root->RestoreDeviceObjects();
        return result;
    }

    SceneDocument document_;

private:
    template <typename Interface>
    using Com = d3d9_test::Com<Interface>;

    void Unload() {
        document_.root.reset();
        document_.manager.reset();
        g_currentDocResManager = nullptr;
    }

    D3DPRESENT_PARAMETERS presentation_{};
    Com<IDirect3DDevice9> device_;
    ViewContext context_;
};

// An object counts as shown once one frame with it differs from the same
// frame without it; frames run through the slide's time, at most sixty.
TEST_F(SampleSlides, EveryObjectOfEverySlideChangesPixelsOnScreen) {
    const std::size_t slides = SlideCount();
    ASSERT_GT(slides, 0u);
    for (std::size_t index = 0; index < slides; ++index) {
        KV_SlideContainer& slide = Play(index);
        const std::vector<bool> shown = ObjectsShown(index, slide, 0, FrameCount(slide));
        for (std::size_t object = 0; object < shown.size(); ++object)
            EXPECT_TRUE(shown[object]) << Describe(index, slide.drawnObjects[object].Get()) << " never shows";
    }
}

// A reset half-way through a slide: the device takes it, the next frame
// is the one that the same frames with a restore alone give (a layer may
// start its simulation again when it is restored; the clock follows the
// real time), and every object shows again.
TEST_F(SampleSlides, EverySlideComesBackAfterADeviceResetMidSlide) {
    const std::size_t slides = SlideCount();
    ASSERT_GT(slides, 0u);
    for (std::size_t index = 0; index < slides; ++index) {
        const auto play = [&](bool reset) -> KV_SlideContainer& {
            KV_SlideContainer& slide = Play(index);
            for (int frame = 0; frame <= FrameCount(slide) / 2; ++frame) {
                Advance(frame);
                Draw(slide);
            }
            if (reset)
                EXPECT_EQ(ResetDevice(), D3D_OK) << Describe(index, nullptr);
            else
                document_.root->RestoreDeviceObjects();
            Advance(FrameCount(slide) / 2 + 1);
            return slide;
        };
        const Frame restored = Draw(play(false));
        KV_SlideContainer& slide = play(true);
        EXPECT_LE(ChangedShare(restored, Draw(slide)), 0.01) << Describe(index, nullptr) << " differs after the reset";
        const int next = FrameCount(slide) / 2 + 2;
        const std::vector<bool> shown = ObjectsShown(index, slide, next, FrameCount(slide) - next);
        for (std::size_t object = 0; object < shown.size(); ++object)
            EXPECT_TRUE(shown[object]) << Describe(index, slide.drawnObjects[object].Get()) << " is gone after the reset";
    }
}

}  // namespace
