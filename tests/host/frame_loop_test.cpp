// Frames over every unit: device loss, reset, the application clock and
// the pace of the loop.
#include <algorithm>

#include <platform/sim_d3d.h>
#include <platform/sim_input.h>

#include "host/host_errors.h"
#include "host/host_fixture.h"

namespace host_test {
namespace {

using platform::sim::DeviceEvent;

class FrameLoopTest : public HostTest {
protected:
    // Two monitors, each with its own adapter, running full screen.
    std::unique_ptr<TestSaver> StartTwoMonitors() {
        UseDisplays({Display({0, 0, 800, 600}, true), Display({800, 0, 1600, 600})});
        platform::sim::SetAdapters({platform::sim::AdapterDescription{}, platform::sim::AdapterDescription{}});
        auto saver = Start(kModeFullScreen);
        saver->CreateScreenUnits();
        EXPECT_EQ(saver->unitCount_, 2);
        saver->calls.clear();
        return saver;
    }
};

TEST_F(FrameLoopTest, LostSecondDeviceLeavesTheFirstDrawnAndNobodyPresents) {
    auto saver = StartTwoMonitors();
    platform::sim::ScheduleDeviceEvent(1, DeviceEvent{DeviceEvent::Kind::Lost, 0, 1});
    // Fires on the first device once it has presented a frame: a probe of
    // whether the lost frame presented.
    platform::sim::ScheduleDeviceEvent(0, DeviceEvent{DeviceEvent::Kind::NeedsReset, 1});

    saver->DrawAllScreens();
    EXPECT_EQ(saver->calls, (std::vector<std::string>{"Draw 0"}));

    saver->calls.clear();
    saver->DrawAllScreens();  // the second device now needs its reset
    EXPECT_EQ(saver->calls, (std::vector<std::string>{"Draw 0", "Deactivate 1", "Activate 1", "Draw 1"}));

    saver->calls.clear();
    saver->DrawAllScreens();  // the first device presented once, in the frame before
    EXPECT_EQ(saver->calls, (std::vector<std::string>{"Deactivate 0", "Activate 0", "Draw 0", "Draw 1"}));
    EXPECT_FALSE(saver->errorMode_);
}

TEST_F(FrameLoopTest, ResetDeactivatesResetsActivatesAndDrawsInTheSameFrame) {
    auto saver = Start(kModeTest);
    saver->CreateScreenUnits();
    ASSERT_EQ(saver->unitCount_, 1);
    IDirect3DDevice9* device = saver->units_[0].device.Get();
    platform::sim::ScheduleDeviceEvent(0, DeviceEvent{DeviceEvent::Kind::NeedsReset, 0});
    std::vector<HRESULT> levels;
    saver->calls.clear();
    saver->afterDraw = [&](TestSaver&) { levels.push_back(device->TestCooperativeLevel()); };
    saver->DrawAllScreens();
    EXPECT_EQ(saver->calls, (std::vector<std::string>{"Deactivate 0", "Activate 0", "Draw 0"}));
    EXPECT_EQ(levels, (std::vector<HRESULT>{D3D_OK}));
    EXPECT_TRUE(saver->units_[0].deviceObjectsActive);
    EXPECT_FALSE(saver->errorMode_);
}

TEST_F(FrameLoopTest, FailedResetEntersErrorModeWithItsOwnMessage) {
    auto saver = Start(kModeTest);
    saver->CreateScreenUnits();
    platform::sim::ScheduleDeviceEvent(0, DeviceEvent{DeviceEvent::Kind::ResetFails, 0});
    platform::sim::ScheduleDeviceEvent(0, DeviceEvent{DeviceEvent::Kind::NeedsReset, 0});
    saver->DrawAllScreens();
    EXPECT_TRUE(saver->errorMode_);
    EXPECT_EQ(saver->errorCode_, kErrorResetFailed);
    EXPECT_FALSE(saver->units_[0].deviceObjectsActive);
    EXPECT_EQ(saver->framesDrawn, 0);  // nothing draws with the released objects
    // The next idle pass releases everything and shows the box.
    saver->AnimateErrorBox();
    EXPECT_EQ(saver->unitCount_, 0);
    EXPECT_FALSE(saver->d3d_);
}

TEST_F(FrameLoopTest, LoopSleepsBeforeEachFrameAndTimeStartsAtZero) {
    auto saver = Start(kModeTest);
    saver->afterDraw = [](TestSaver& s) {
        if (s.framesDrawn == 2)
            platform::sim::ScheduleDeviceEvent(0, DeviceEvent{DeviceEvent::Kind::NeedsReset, 0});
        if (s.framesDrawn == 5) DestroyWindow(s.mainWindow_);
    };
    clock_.AdvanceMilliseconds(5000);  // time before the loop does not count
    EXPECT_EQ(saver->RunLoop(), S_OK);
    ASSERT_EQ(saver->drawTimes.size(), 5u);
    for (size_t i = 0; i < saver->drawTimes.size(); ++i)
        EXPECT_NEAR(saver->drawTimes[i], 0.030f * static_cast<float>(i + 1), 1e-4f) << "frame " << i;
    // The reset happened in frame three and time went on rising.
    EXPECT_EQ(std::count(saver->calls.begin(), saver->calls.end(), "Activate 0"), 2);
}

TEST_F(FrameLoopTest, ErrorModeShowsTheBoxInsteadOfDrawing) {
    const HWND parent = CreateParentWindow(152, 112);
    RECT client{};
    GetClientRect(parent, &client);
    platform::sim::AdapterDescription adapter;
    adapter.failingModes = {Mode(static_cast<UINT>(client.right), static_cast<UINT>(client.bottom))};
    platform::sim::SetAdapters({adapter});
    {
        auto saver = Start(kModePreview, parent);
        saver->afterPaint = [](TestSaver& s) {
            if (s.errorMode_) PostMessageW(s.mainWindow_, WM_CLOSE, 0, 0);
        };
        EXPECT_EQ(saver->RunLoop(), S_OK);
        EXPECT_EQ(saver->errorCode_, kErrorNoPreview);
        EXPECT_EQ(saver->framesDrawn, 0);
        EXPECT_EQ(saver->monitors_[0].box.width, static_cast<float>(client.right));
        EXPECT_EQ(saver->scenesDisposed, 1);
    }
    DestroyWindow(parent);
}

}  // namespace
}  // namespace host_test
