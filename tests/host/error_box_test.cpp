// The messages of the error codes, the message box, and the error box as
// it is painted and as it moves.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>
#include <iterator>

#include <platform/sim_dialogs.h>
#include <window/window_canvas.h>

#include "host/host_errors.h"
#include "host/host_fixture.h"

namespace host_test {
namespace {

constexpr const wchar_t* kUnspecified = L"There was an unspecified problem with this screen saver.";

struct ErrorTextCase {
    HRESULT code;
    const wchar_t* text;
};

class ErrorTextTest : public HostTest, public ::testing::WithParamInterface<ErrorTextCase> {};

TEST_P(ErrorTextTest, EachCodeShowsItsText) {
    const ErrorTextCase& c = GetParam();
    TestSaver saver;
    WCHAR buffer[400]{};
    const bool own = saver.LookUpErrorText(c.code, buffer, static_cast<int>(std::size(buffer)));
    EXPECT_STREQ(buffer, c.text);
    EXPECT_EQ(own, std::wstring(c.text) != kUnspecified);
}

INSTANTIATE_TEST_SUITE_P(
    Codes, ErrorTextTest,
    ::testing::Values(
        ErrorTextCase{E_FAIL, kUnspecified},
        ErrorTextCase{kErrorNoDirect3D,
                      L"Direct3D 8.0 could not be initialized.  Please install the latest version of DirectX."},
        ErrorTextCase{kErrorInitFailed, L"Could not initialize the screen saver."},
        ErrorTextCase{kErrorNoDevice, L"Could not create the Direct3D device."},
        ErrorTextCase{kErrorNoCompatibleDevices, L"Could not find any compatible Direct3D devices."},
        ErrorTextCase{kErrorNoHardwareDevice, L"No hardware-accelerated Direct3D devices were found."},
        ErrorTextCase{kErrorHardwareLacksFeatures,
                      L"This screen saver requires functionality that is not available on your Direct3D hardware "
                      L"accelerator."},
        ErrorTextCase{kErrorDesktopLacksFeatures,
                      L"This screen saver requires functionality that is not available on your Direct3D hardware "
                      L"accelerator with the current desktop display settings."},
        ErrorTextCase{kErrorMediaNotLoaded, L"Could not load required media."},
        ErrorTextCase{kErrorResetFailed, L"Could not reset the Direct3D device."},
        ErrorTextCase{E_OUTOFMEMORY, L"Not enough memory."},
        ErrorTextCase{D3DERR_OUTOFVIDEOMEMORY, L"Not enough video memory."},
        ErrorTextCase{kErrorNoPreview, L"No preview available"},
        ErrorTextCase{kErrorDeviceObjectsFailed, kUnspecified},
        ErrorTextCase{0, kUnspecified},
        ErrorTextCase{E_INVALIDARG, kUnspecified}),
    [](const ::testing::TestParamInfo<ErrorTextCase>& info) {
        char name[16];
        std::snprintf(name, sizeof name, "Code%08X", static_cast<unsigned>(info.param.code));
        return std::string(name);
    });

class ErrorBoxTest : public HostTest {
protected:
    static uint32_t WindowColour() {
        const COLORREF c = GetSysColor(COLOR_WINDOW);
        return (GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c);
    }
    static uint32_t PixelAt(HWND window, int x, int y) { return platform::WindowCanvas(window)->Pixel(x, y); }
    // Pixels of the rectangle (frame excluded) that are neither the box colour nor black: the text.
    static int TextPixels(HWND window, RECT box) {
        const auto* canvas = platform::WindowCanvas(window);
        int count = 0;
        for (LONG y = box.top + 1; y < box.bottom - 1; ++y) {
            for (LONG x = box.left + 1; x < box.right - 1; ++x) {
                if (canvas->Pixel(x, y) != WindowColour()) ++count;
            }
        }
        return count;
    }
    // Full screen in error mode, after the first step, which places the boxes.
    std::unique_ptr<TestSaver> StartWithPlacedBoxes() {
        auto saver = Start(kModeFullScreen);
        saver->EnterErrorMode(E_OUTOFMEMORY);
        saver->AnimateErrorBox();
        return saver;
    }
};

TEST_F(ErrorBoxTest, SettingsModeShowsTheErrorInAMessageBox) {
    platform::sim::AdapterDescription adapter;
    adapter.bumpEnvMap = false;
    platform::sim::SetAdapters({adapter});
    auto saver = Start(kModeSettings);
    EXPECT_EQ(saver->RunMode(), 0);
    const auto shown = platform::sim::ShownMessageBoxes();
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].text, L"Could not find any compatible Direct3D devices.");
    EXPECT_EQ(shown[0].caption, L"Lumaweft Screen Saver");
    EXPECT_EQ(shown[0].owner, nullptr);
    EXPECT_EQ(shown[0].type, static_cast<UINT>(MB_ICONERROR));
}

TEST_F(ErrorBoxTest, PreviewBoxFillsTheWindowAndNeverMoves) {
    const HWND parent = CreateParentWindow(152, 112);
    {
        auto saver = Start(kModePreview, parent);
        const HWND window = saver->mainWindow_;
        ASSERT_NE(window, nullptr);
        saver->EnterErrorMode(kErrorNoPreview);
        saver->AnimateErrorBox();
        RECT client{};
        GetClientRect(window, &client);
        const ErrorBoxState& box = saver->monitors_[0].box;
        EXPECT_EQ(box.x, 0.0f);
        EXPECT_EQ(box.y, 0.0f);
        EXPECT_EQ(box.width, static_cast<float>(client.right));
        EXPECT_EQ(box.height, static_cast<float>(client.bottom));
        EXPECT_EQ(PixelAt(window, 0, 0), 0u);  // the frame
        EXPECT_EQ(PixelAt(window, 2, 2), WindowColour());
        EXPECT_EQ(PixelAt(window, client.right - 3, client.bottom - 3), WindowColour());
        EXPECT_GT(TextPixels(window, client), 0);

        clock_.AdvanceMilliseconds(2000);
        saver->AnimateErrorBox();
        EXPECT_EQ(saver->monitors_[0].box.x, 0.0f);
        EXPECT_EQ(saver->monitors_[0].box.y, 0.0f);
    }
    DestroyWindow(parent);
}

TEST_F(ErrorBoxTest, FullScreenBoxDriftsAndBouncesAtTheEdges) {
    // On the second monitor, away from the desktop's origin, the box moves
    // in that window's client coordinates.
    UseDisplays({Display({0, 0, 640, 480}, true), Display({640, -100, 1640, 700})});
    auto saver = StartWithPlacedBoxes();
    const HWND window = saver->monitors_[1].window;
    ASSERT_NE(window, nullptr);
    const ErrorBoxState& box = saver->monitors_[1].box;
    EXPECT_EQ(box.x, 350.0f);
    EXPECT_EQ(box.y, 325.0f);
    EXPECT_EQ(box.width, 300.0f);
    EXPECT_EQ(box.height, 150.0f);
    EXPECT_EQ(box.xVelocity, 100.0f);
    EXPECT_EQ(box.yVelocity, 40.0f);

    const float expected[][2] = {{450, 365}, {550, 405}, {650, 445}, {550, 485}, {450, 525}, {350, 565},
                                 {250, 605}, {150, 645}, {50, 605}};
    for (const auto& step : expected) {
        clock_.AdvanceMilliseconds(1000);
        saver->AnimateErrorBox();
        EXPECT_FLOAT_EQ(box.x, step[0]);
        EXPECT_FLOAT_EQ(box.y, step[1]);
    }
    // Painted where it is now, black around it.
    const RECT now{50, 605, 350, 755};
    EXPECT_EQ(PixelAt(window, 52, 607), WindowColour());
    EXPECT_EQ(PixelAt(window, 348, 753), WindowColour());
    EXPECT_EQ(PixelAt(window, 45, 600), 0u);
    EXPECT_EQ(PixelAt(window, 500, 400), 0u);
    EXPECT_GT(TextPixels(window, now), 0);
}

struct BoxStepCase {
    const char* name;
    DWORD stepMilliseconds;
    int steps;
    float firstX, firstY;  // after the first step from (170, 165)

    friend void PrintTo(const BoxStepCase& c, std::ostream* out) { *out << c.name; }
};

class ErrorBoxStepTest : public ErrorBoxTest, public ::testing::WithParamInterface<BoxStepCase> {};

// Frames far apart move the box by more than the room it has; it bounces
// back inside instead of leaving the screen.
TEST_P(ErrorBoxStepTest, BoxStaysOnTheMonitorWhateverTheStep) {
    const BoxStepCase& c = GetParam();
    UseDisplays({Display({0, 0, 640, 480}, true)});
    auto saver = StartWithPlacedBoxes();
    const HWND window = saver->monitors_[0].window;
    ASSERT_NE(window, nullptr);
    const ErrorBoxState& box = saver->monitors_[0].box;
    // Still moving on every axis: not pinned to an edge.
    bool movedAcross = false, movedDown = false;
    for (int step = 0; step < c.steps; ++step) {
        const float x = box.x, y = box.y;
        clock_.AdvanceMilliseconds(c.stepMilliseconds);
        saver->AnimateErrorBox();
        movedAcross = movedAcross || box.x != x;
        movedDown = movedDown || box.y != y;
        if (step == 0) {
            EXPECT_FLOAT_EQ(box.x, c.firstX);
            EXPECT_FLOAT_EQ(box.y, c.firstY);
        }
        ASSERT_GE(box.x, 0.0f) << "step " << step;
        ASSERT_LE(box.x + box.width, 640.0f) << "step " << step;
        ASSERT_GE(box.y, 0.0f) << "step " << step;
        ASSERT_LE(box.y + box.height, 480.0f) << "step " << step;
        ASSERT_EQ(std::abs(box.xVelocity), 64.0f);
        ASSERT_EQ(std::abs(box.yVelocity), 24.0f);
    }
    EXPECT_TRUE(movedAcross);
    EXPECT_TRUE(movedDown);
    const RECT now = {static_cast<LONG>(box.x), static_cast<LONG>(box.y), static_cast<LONG>(box.x + box.width),
                      static_cast<LONG>(box.y + box.height)};
    EXPECT_EQ(PixelAt(window, now.left + 2, now.top + 2), WindowColour());
    EXPECT_GT(TextPixels(window, now), 0);
}

// At 5 s a step is 320 by 120 pixels: the box turned at the right edge it
// would pass runs into the left one and comes back 150 pixels.
INSTANTIATE_TEST_SUITE_P(Steps, ErrorBoxStepTest,
                         ::testing::Values(BoxStepCase{"FrameRate", 30, 250, 171.92f, 165.72f},
                                           BoxStepCase{"FiveSeconds", 5000, 40, 150.0f, 285.0f}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(ErrorBoxTest, TestWindowOnAnotherMonitorPaintsItsBox) {
    // The first display device listed is not the one the test window is on.
    UseDisplays({Display({1024, 0, 2048, 768}), Display({0, 0, 1024, 768}, true)});
    platform::sim::SetAdapters({});
    auto saver = Start(kModeTest);
    const HWND window = saver->mainWindow_;
    ASSERT_EQ(saver->monitors_[0].window, window);
    saver->EnterErrorMode(kErrorNoDevice);
    saver->AnimateErrorBox();  // placed: centred in the 600 by 400 client area
    clock_.AdvanceMilliseconds(500);
    saver->AnimateErrorBox();  // moved by (30, 10): painted
    const RECT box{180, 135, 480, 285};
    EXPECT_EQ(PixelAt(window, box.left + 2, box.top + 2), WindowColour());
    EXPECT_GT(TextPixels(window, box), 0);
    EXPECT_EQ(PixelAt(window, 5, 5), 0u);
}

TEST_F(ErrorBoxTest, WindowIsBlackOutsideErrorMode) {
    auto saver = Start(kModeTest);
    const HWND window = saver->mainWindow_;
    auto* canvas = platform::WindowCanvas(window);
    for (int y = 0; y < canvas->Height(); ++y) std::fill_n(canvas->Row(y), canvas->Width(), 0x00FF8040u);
    InvalidateRect(window, nullptr, FALSE);
    UpdateWindow(window);
    EXPECT_EQ(PixelAt(window, 300, 200), 0u);
    EXPECT_EQ(PixelAt(window, 0, 0), 0u);
}

TEST_F(ErrorBoxTest, TheWindowShowsWhatItsCanvasHolds) {
    platform::RecordWindowSurfaces();
    UseDisplays({Display({0, 0, 639, 480}, true)});
    auto saver = Start(kModeFullScreen);
    const HWND window = saver->mainWindow_;
    saver->EnterErrorMode(E_OUTOFMEMORY);
    for (int frame = 0; frame < 5; ++frame) {
        saver->AnimateErrorBox();
        clock_.AdvanceMilliseconds(300);
    }
    ASSERT_GT(TextPixels(window, RECT{0, 0, 639, 480}), 0);
    const auto* canvas = platform::WindowCanvas(window);
    const platform::SurfacePixels shown = platform::WindowSurface(window);
    ASSERT_EQ(shown.width, canvas->Width());
    ASSERT_EQ(shown.height, canvas->Height());
    const auto mismatch = std::ranges::mismatch(shown.pixels, canvas->Pixels());
    EXPECT_EQ(mismatch.in1, shown.pixels.end())
        << "first difference at pixel " << (mismatch.in1 - shown.pixels.begin()) << " of a 639-pixel row";
}

}  // namespace
}  // namespace host_test
