// The create step and the run step in each mode.
#include <mmsystem.h>

#include <platform/sim_dialogs.h>

#include "host/host_fixture.h"

namespace host_test {
namespace {

class StartupTest : public HostTest {};

TEST_F(StartupTest, PreviewWaitsForItsTimerBeforeCreatingDirect3D) {
    const HWND parent = CreateParentWindow(152, 112);
    {
        const DWORD before = timeGetTime();
        auto saver = Start(kModePreview, parent);
        EXPECT_GE(timeGetTime() - before, 500u);
        EXPECT_EQ(saver->direct3DAtTimer, std::vector<bool>{false});
        EXPECT_TRUE(saver->d3d_);
        EXPECT_FALSE(saver->errorMode_);
        ASSERT_NE(saver->mainWindow_, nullptr);
        EXPECT_EQ(saver->monitors_[0].window, saver->mainWindow_);
        RECT client{};
        GetClientRect(saver->mainWindow_, &client);
        RECT parentClient{};
        GetClientRect(parent, &parentClient);
        EXPECT_EQ(client.right, parentClient.right);
        EXPECT_EQ(client.bottom, parentClient.bottom);
    }
    DestroyWindow(parent);
}

TEST_F(StartupTest, PreviewWaitEndsWhenItsWindowGoes) {
    const HWND parent = CreateParentWindow(152, 112);
    {
        TestSaver saver;
        saver.beforeMessage = [](TestSaver&, HWND window, UINT message) {
            if (message == WM_USER) DestroyWindow(window);
        };
        EXPECT_EQ(saver.StartInMode(RunModeRequest{kModePreview, parent}), S_OK);
        EXPECT_FALSE(IsWindow(saver.mainWindow_));
        EXPECT_TRUE(saver.direct3DAtTimer.empty());
        EXPECT_TRUE(saver.d3d_);
    }
    DestroyWindow(parent);
}

TEST_F(StartupTest, PreviewWithoutAWindowEndsAtOnce) {
    for (HWND parent : {static_cast<HWND>(nullptr), reinterpret_cast<HWND>(uintptr_t{987654})}) {
        auto saver = Start(kModePreview, parent);
        EXPECT_EQ(saver->mainWindow_, nullptr);
        EXPECT_TRUE(saver->errorMode_);
        EXPECT_EQ(saver->errorCode_, E_FAIL);
        EXPECT_EQ(saver->RunMode(), 0);
        EXPECT_EQ(saver->framesDrawn, 0);
    }
    EXPECT_TRUE(platform::sim::ShownMessageBoxes().empty());
}

TEST_F(StartupTest, TestWindowHasA600By400ClientAreaAt50And50) {
    auto saver = Start(kModeTest);
    ASSERT_NE(saver->mainWindow_, nullptr);
    RECT client{};
    GetClientRect(saver->mainWindow_, &client);
    EXPECT_EQ(client.right, 600);
    EXPECT_EQ(client.bottom, 400);
    POINT origin{0, 0};
    ClientToScreen(saver->mainWindow_, &origin);
    EXPECT_EQ(origin.x, 50);
    EXPECT_EQ(origin.y, 50);
}

TEST_F(StartupTest, FullScreenOpensOneWindowPerMonitor) {
    UseDisplays({Display({0, 0, 1024, 768}, true), Display({1024, 0, 1664, 480})});
    platform::sim::SetAdapters({});
    auto saver = Start(kModeFullScreen);
    ASSERT_EQ(saver->monitorCount_, 2);
    EXPECT_EQ(saver->mainWindow_, saver->monitors_[0].window);
    const RECT expected[2] = {{0, 0, 1024, 768}, {1024, 0, 1664, 480}};
    for (int i = 0; i < 2; ++i) {
        const HWND window = saver->monitors_[i].window;
        ASSERT_NE(window, nullptr);
        RECT rect{};
        GetWindowRect(window, &rect);
        EXPECT_EQ(rect.left, expected[i].left);
        EXPECT_EQ(rect.top, expected[i].top);
        EXPECT_EQ(rect.right, expected[i].right);
        EXPECT_EQ(rect.bottom, expected[i].bottom);
    }
}

TEST_F(StartupTest, ModesWithoutWindowsEndAtOnce) {
    for (SaverMode mode : {kModeEndAtOnce, kModeShowNothing, kModePassword}) {
        auto saver = Start(mode);
        EXPECT_EQ(saver->mainWindow_, nullptr) << mode;
        EXPECT_EQ(saver->RunMode(), 0) << mode;
        EXPECT_FALSE(saver->d3d_) << mode;
    }
    EXPECT_TRUE(platform::sim::ShownMessageBoxes().empty());
}

}  // namespace
}  // namespace host_test
