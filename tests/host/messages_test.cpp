// Input that ends the saver, input that does not, and ending only once.
#include <windowsx.h>

#include <platform/sim_input.h>

#include "host/host_fixture.h"

namespace host_test {
namespace {

LPARAM Position(int x, int y) { return MAKELPARAM(static_cast<WORD>(x), static_cast<WORD>(y)); }

class MessagesTest : public HostTest {
protected:
    void Move(TestSaver& saver, int x, int y) {
        saver.HandleMessage(saver.mainWindow_, WM_MOUSEMOVE, 0, Position(x, y));
    }
};

TEST_F(MessagesTest, SixthMoveToANewPositionEndsTheFullScreenSaver) {
    auto saver = Start(kModeFullScreen);
    saver->CreateScreenUnits();
    for (int i = 1; i <= 5; ++i) {
        Move(*saver, i, i);
        Move(*saver, i, i);  // the same position again does not count
    }
    EXPECT_EQ(saver->mouseMoveCount_, 5u);
    EXPECT_EQ(saver->scenesDisposed, 0);
    Move(*saver, -20, 300);
    EXPECT_EQ(saver->scenesDisposed, 1);
    EXPECT_EQ(saver->unitCount_, 0);
}

TEST_F(MessagesTest, MovesCountFromTheCreationOfTheUnits) {
    auto saver = Start(kModeFullScreen);
    for (int i = 1; i <= 5; ++i) Move(*saver, i, 0);
    saver->CreateScreenUnits();
    EXPECT_EQ(saver->mouseMoveCount_, 0u);
    for (int i = 10; i < 15; ++i) Move(*saver, i, 0);
    EXPECT_EQ(saver->scenesDisposed, 0);
    Move(*saver, 99, 0);
    EXPECT_EQ(saver->scenesDisposed, 1);
}

struct InputCase {
    const char* name;
    UINT message;
    WPARAM wParam;
    bool endsFullScreen;
    bool endsTestWindow;
};

class InputTest : public MessagesTest, public ::testing::WithParamInterface<InputCase> {};

TEST_P(InputTest, EndsTheSaverOnlyWhereItShould) {
    const InputCase& c = GetParam();
    const HWND parent = CreateParentWindow(152, 112);
    for (SaverMode mode : {kModeFullScreen, kModeTest, kModePreview}) {
        auto saver = Start(mode, mode == kModePreview ? parent : nullptr);
        saver->CreateScreenUnits();
        ASSERT_EQ(saver->unitCount_, 1) << mode;
        saver->HandleMessage(saver->mainWindow_, c.message, c.wParam, Position(3, 4));
        // The preview ignores input of every kind.
        const bool ends = mode == kModeFullScreen ? c.endsFullScreen : mode == kModeTest && c.endsTestWindow;
        EXPECT_EQ(saver->scenesDisposed, ends ? 1 : 0) << c.name << " in mode " << mode;
    }
    DestroyWindow(parent);
}

INSTANTIATE_TEST_SUITE_P(
    Messages, InputTest,
    ::testing::Values(InputCase{"key", WM_KEYDOWN, VK_SPACE, true, false},
                      InputCase{"system key", WM_SYSKEYDOWN, VK_MENU, false, false},
                      InputCase{"left button", WM_LBUTTONDOWN, MK_LBUTTON, true, false},
                      InputCase{"right button", WM_RBUTTONDOWN, MK_RBUTTON, true, false},
                      InputCase{"middle button", WM_MBUTTONDOWN, MK_MBUTTON, true, false},
                      InputCase{"deactivation", WM_ACTIVATEAPP, FALSE, true, false},
                      InputCase{"activation", WM_ACTIVATEAPP, TRUE, false, false},
                      InputCase{"suspend", WM_POWERBROADCAST, PBT_APMSUSPEND, true, true}),
    [](const ::testing::TestParamInfo<InputCase>& info) {
        std::string name = info.param.name;
        std::replace(name.begin(), name.end(), ' ', '_');
        return name;
    });

TEST_F(MessagesTest, TestWindowIgnoresMouseMoves) {
    auto saver = Start(kModeTest);
    saver->CreateScreenUnits();
    for (int i = 0; i < 20; ++i) Move(*saver, i * 7, i);
    EXPECT_EQ(saver->mouseMoveCount_, 0u);
    EXPECT_EQ(saver->scenesDisposed, 0);
}

struct SysCommandCase {
    WPARAM command;
    bool swallowedInFullScreen;
};

class SysCommandTest : public MessagesTest, public ::testing::WithParamInterface<SysCommandCase> {};

TEST_P(SysCommandTest, FullScreenSwallowsWindowSwitchingAndClosing) {
    const SysCommandCase& c = GetParam();
    for (SaverMode mode : {kModeFullScreen, kModeTest}) {
        auto saver = Start(mode);
        const HWND window = saver->mainWindow_;
        platform::sim::ClearDefaultSystemCommands();
        EXPECT_EQ(saver->HandleMessage(window, WM_SYSCOMMAND, c.command, 0), 0) << "mode " << mode;
        const bool swallowed = mode == kModeFullScreen && c.swallowedInFullScreen;
        EXPECT_EQ(platform::sim::DefaultSystemCommands(),
                  swallowed ? std::vector<WPARAM>{} : std::vector<WPARAM>{c.command})
            << "mode " << mode;
        // Default processing of SC_CLOSE destroys the window.
        if (c.command == SC_CLOSE) {
            EXPECT_EQ(IsWindow(window) != FALSE, swallowed) << "mode " << mode;
        }
        EXPECT_EQ(saver->scenesDisposed, !swallowed && mode == kModeTest && c.command == SC_CLOSE ? 1 : 0);
    }
}

INSTANTIATE_TEST_SUITE_P(Commands, SysCommandTest,
                         ::testing::Values(SysCommandCase{SC_CLOSE, true}, SysCommandCase{SC_SCREENSAVE, true},
                                           SysCommandCase{SC_NEXTWINDOW, true}, SysCommandCase{SC_PREVWINDOW, true},
                                           SysCommandCase{0xF020 /* SC_MINIMIZE */, false}));

TEST_F(MessagesTest, QueuedInputAfterTheEndingDoesNotEndAgain) {
    auto saver = Start(kModeFullScreen);
    saver->CreateScreenUnits();
    ASSERT_EQ(saver->unitCount_, 1);
    platform::sim::PressKey(saver->mainWindow_, VK_SPACE);
    platform::sim::ClickMouse(saver->mainWindow_, platform::sim::MouseButton::Left, 5, 5);
    platform::sim::PressKey(saver->mainWindow_, VK_RETURN);
    MSG message{};
    int quits = 0;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            ++quits;
            continue;
        }
        DispatchMessageW(&message);
    }
    EXPECT_EQ(quits, 1);
    EXPECT_EQ(saver->scenesDisposed, 1);
    EXPECT_FALSE(saver->d3d_);
    EXPECT_FALSE(platform::sim::ScreenSaverRunning());
}

TEST_F(MessagesTest, ClosingTheTestWindowEndsTheLoop) {
    auto saver = Start(kModeTest);
    saver->afterDraw = [](TestSaver& s) {
        if (s.framesDrawn == 3) platform::sim::PressCloseButton(s.mainWindow_);
    };
    EXPECT_EQ(saver->RunLoop(), S_OK);
    EXPECT_EQ(saver->framesDrawn, 3);
    EXPECT_EQ(saver->scenesDisposed, 1);
}

TEST_F(MessagesTest, KeyPressEndsTheFullScreenLoop) {
    auto saver = Start(kModeFullScreen);
    saver->afterDraw = [](TestSaver& s) {
        EXPECT_TRUE(platform::sim::ScreenSaverRunning());
        if (s.framesDrawn == 2) platform::sim::PressKey(s.mainWindow_, 'A');
    };
    EXPECT_EQ(saver->RunLoop(), S_OK);
    EXPECT_EQ(saver->framesDrawn, 2);
    EXPECT_FALSE(platform::sim::ScreenSaverRunning());
}

}  // namespace
}  // namespace host_test
