// Input from SDL (real or injected by the simulated machine) as the
// messages a Windows program sees.
#include <gtest/gtest.h>

#include <SDL.h>

#include <platform/sim_input.h>
#include <windows.h>

#include "platform/window/recording_window.h"
#include "window/window_table.h"

namespace {

using namespace window_test;
using platform::sim::Modifiers;
using platform::sim::MouseButton;

// The queued input waiting now, after the window procedures had the sent
// notifications; paint requests are answered and left out.
std::vector<MSG> TakeInput() {
    std::vector<MSG> input;
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_PAINT) {
            ValidateRect(message.hwnd, nullptr);
            continue;
        }
        input.push_back(message);
        DispatchMessageW(&message);
    }
    return input;
}

class Input : public ::testing::Test {
protected:
    Input() {
        window_ = CreateTopLevel(WS_POPUP | WS_VISIBLE, {100, 100, 400, 300});
        TakeInput();
        Log().clear();
    }

    WindowTest windows_;
    HWND window_;
};

struct InputCase {
    const char* name;
    void (*inject)(HWND window);
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
};

LPARAM Point(int x, int y) {
    return MAKELPARAM(x, y);
}

const InputCase kInputCases[] = {
    {"Escape", [](HWND w) { platform::sim::PressKey(w, VK_ESCAPE); }, WM_KEYDOWN, VK_ESCAPE, 0x00010001},
    {"Letter", [](HWND w) { platform::sim::PressKey(w, 'A'); }, WM_KEYDOWN, 'A', 0x001E0001},
    {"Digit", [](HWND w) { platform::sim::PressKey(w, '7'); }, WM_KEYDOWN, '7', 0x00080001},
    {"ExtendedKey", [](HWND w) { platform::sim::PressKey(w, VK_LEFT); }, WM_KEYDOWN, VK_LEFT, 0x014B0001},
    {"ShiftedLetter", [](HWND w) { platform::sim::PressKey(w, 'Q', Modifiers{true, false, false}); },
     WM_KEYDOWN, 'Q', 0x00100001},
    {"F10IsASystemKey", [](HWND w) { platform::sim::PressKey(w, VK_F10); }, WM_SYSKEYDOWN, VK_F10, 0x00440001},
    {"AltLetterIsASystemKey", [](HWND w) { platform::sim::PressKey(w, 'X', Modifiers{false, false, true}); },
     WM_SYSKEYDOWN, 'X', 0x202D0001},
    {"ControlAltLetterIsNot", [](HWND w) { platform::sim::PressKey(w, 'X', Modifiers{false, true, true}); },
     WM_KEYDOWN, 'X', 0x202D0001},
    {"MouseMove", [](HWND w) { platform::sim::MoveMouse(w, 10, 20); }, WM_MOUSEMOVE, 0, Point(10, 20)},
    {"MouseMoveLeftOfTheWindow", [](HWND w) { platform::sim::MoveMouse(w, -5, 7); }, WM_MOUSEMOVE, 0,
     0x0007FFFB},  // x and y as signed 16-bit halves
    {"LeftButton", [](HWND w) { platform::sim::ClickMouse(w, MouseButton::Left, 3, 4); }, WM_LBUTTONDOWN,
     MK_LBUTTON, Point(3, 4)},
    {"RightButton", [](HWND w) { platform::sim::ClickMouse(w, MouseButton::Right, 5, 6); }, WM_RBUTTONDOWN,
     MK_RBUTTON, Point(5, 6)},
    {"MiddleButton", [](HWND w) { platform::sim::ClickMouse(w, MouseButton::Middle, 7, 8); }, WM_MBUTTONDOWN,
     MK_MBUTTON, Point(7, 8)},
};

void PrintTo(const InputCase& input, std::ostream* out) {
    *out << input.name;
}

class InputTable : public Input, public ::testing::WithParamInterface<InputCase> {};

TEST_P(InputTable, GivesExactlyTheWindowsMessage) {
    const InputCase& input = GetParam();
    input.inject(window_);
    const std::vector<MSG> messages = TakeInput();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].hwnd, window_);
    EXPECT_EQ(messages[0].message, input.message);
    EXPECT_EQ(messages[0].wParam, input.wParam);
    EXPECT_EQ(messages[0].lParam, input.lParam);
}

INSTANTIATE_TEST_SUITE_P(Injected, InputTable, ::testing::ValuesIn(kInputCases),
                         [](const auto& info) { return std::string(info.param.name); });

// Raw SDL events, as a real keyboard, mouse and window manager give them.
uint32_t SdlIdOf(HWND window) {
    return platform::window::SdlWindowId(platform::window::LookUpWindow(window)->sdlWindow);
}

void PushKey(HWND window, SDL_Scancode scancode, SDL_Keycode symbol, Uint16 modifiers, bool repeat) {
    SDL_Event event{};
    event.type = SDL_KEYDOWN;
    event.key.windowID = SdlIdOf(window);
    event.key.state = SDL_PRESSED;
    event.key.keysym.scancode = scancode;
    event.key.keysym.sym = symbol;
    event.key.keysym.mod = modifiers;
    event.key.repeat = repeat ? 1 : 0;
    SDL_PushEvent(&event);
}

void PushMotion(HWND window, int x, int y) {
    SDL_Event event{};
    event.type = SDL_MOUSEMOTION;
    event.motion.windowID = SdlIdOf(window);
    event.motion.x = x;
    event.motion.y = y;
    SDL_PushEvent(&event);
}

void PushWindowEvent(HWND window, SDL_WindowEventID id) {
    SDL_Event event{};
    event.type = SDL_WINDOWEVENT;
    event.window.windowID = SdlIdOf(window);
    event.window.event = id;
    SDL_PushEvent(&event);
}

TEST_F(Input, KeysFromSdlFollowTheLayoutAndMarkAltAndRepeats) {
    // On a French layout the key in the US "Q" place types "a": the virtual
    // key is the letter, the scan code the key's place.
    PushKey(window_, SDL_SCANCODE_Q, SDLK_a, KMOD_NONE, false);
    PushKey(window_, SDL_SCANCODE_LALT, SDLK_LALT, KMOD_LALT, false);
    PushKey(window_, SDL_SCANCODE_RALT, SDLK_RALT, KMOD_RALT, false);
    PushKey(window_, SDL_SCANCODE_SPACE, SDLK_SPACE, KMOD_NONE, true);
    PushKey(window_, SDL_SCANCODE_F4, SDLK_F4, KMOD_RCTRL, false);
    const std::vector<MSG> messages = TakeInput();
    ASSERT_EQ(messages.size(), 5u);
    const std::vector<std::tuple<UINT, WPARAM, LPARAM>> expected = {
        {WM_KEYDOWN, 'A', 0x00100001},     {WM_SYSKEYDOWN, VK_MENU, 0x20380001},
        {WM_SYSKEYDOWN, VK_MENU, 0x21380001}, {WM_KEYDOWN, VK_SPACE, 0x40390001},
        {WM_KEYDOWN, VK_F4, 0x003E0001},
    };
    for (size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(std::make_tuple(messages[i].message, messages[i].wParam, messages[i].lParam), expected[i])
            << "message " << i;
    }
}

TEST_F(Input, MouseMessagesGoToTheChildUnderTheCursor) {
    HWND child = CreateChild(window_, {50, 40, 150, 90});
    TakeInput();
    platform::sim::MoveMouse(window_, 60, 50);
    platform::sim::ClickMouse(window_, MouseButton::Left, 10, 10);
    const std::vector<MSG> messages = TakeInput();
    ASSERT_EQ(messages.size(), 2u);
    EXPECT_EQ(messages[0].hwnd, child);
    EXPECT_EQ(messages[0].lParam, Point(10, 10));
    EXPECT_EQ(messages[1].hwnd, window_);
    EXPECT_EQ(messages[1].lParam, Point(10, 10));
}

TEST_F(Input, SetCursorComesBeforeEachMouseMessage) {
    platform::sim::MoveMouse(window_, 1, 2);
    TakeInput();
    const auto setCursor = Messages(WM_SETCURSOR);
    ASSERT_EQ(setCursor.size(), 1u);
    EXPECT_EQ(setCursor[0].wParam, reinterpret_cast<WPARAM>(window_));
    EXPECT_EQ(setCursor[0].lParam, MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    ASSERT_GE(Log().size(), 2u);
    EXPECT_EQ(Log()[0].message, WM_SETCURSOR);
    EXPECT_EQ(Log()[1].message, WM_MOUSEMOVE);
    // DefWindowProcW set the class cursor.
    EXPECT_EQ(SetCursor(nullptr), LoadCursorW(nullptr, IDC_ARROW));
}

TEST_F(Input, NoMouseMoveWhenAWindowAppearsOrMovesUnderAStillCursor) {
    platform::sim::MoveMouse(window_, 30, 40);  // the cursor at (130, 140) on the screen
    ASSERT_EQ(TakeInput().size(), 1u);
    Log().clear();
    // SDL reports the cursor in a new window that appears under it...
    HWND appeared = CreateTopLevel(WS_POPUP | WS_VISIBLE, {120, 120, 220, 220});
    PushWindowEvent(appeared, SDL_WINDOWEVENT_ENTER);
    PushMotion(appeared, 10, 20);
    // ...and in a window moved under it.
    SetWindowPos(window_, nullptr, 110, 110, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    PushMotion(window_, 20, 30);
    EXPECT_TRUE(TakeInput().empty());
    EXPECT_TRUE(Messages(WM_MOUSEMOVE).empty());
    // The windows under the cursor still set its shape (a full-screen saver
    // hides it there).
    const auto setCursor = Messages(WM_SETCURSOR);
    ASSERT_EQ(setCursor.size(), 2u);
    EXPECT_EQ(setCursor[0].window, appeared);
    EXPECT_EQ(setCursor[1].window, window_);
    Log().clear();
    // The cursor moving for real still counts.
    PushMotion(appeared, 11, 20);
    const std::vector<MSG> moved = TakeInput();
    ASSERT_EQ(moved.size(), 1u);
    EXPECT_EQ(moved[0].hwnd, appeared);
    EXPECT_EQ(moved[0].lParam, Point(11, 20));
}

TEST_F(Input, ActivationIsForTheApplicationAsAWhole) {
    HWND second = CreateTopLevel(WS_POPUP | WS_VISIBLE, {500, 100, 600, 200});
    // From a known state: the focus is in another application.
    platform::sim::FocusWindow(nullptr);
    TakeInput();
    Log().clear();
    const auto activations = [] {
        std::vector<std::pair<HWND, WPARAM>> seen;
        for (const Received& received : Messages(WM_ACTIVATEAPP)) seen.emplace_back(received.window, received.wParam);
        Log().clear();
        return seen;
    };

    platform::sim::FocusWindow(window_);
    TakeInput();
    EXPECT_EQ(activations(), (std::vector<std::pair<HWND, WPARAM>>{{window_, TRUE}, {second, TRUE}}));

    platform::sim::FocusWindow(second);
    TakeInput();
    EXPECT_TRUE(activations().empty());
    // The gain may also come before the loss.
    PushWindowEvent(window_, SDL_WINDOWEVENT_FOCUS_GAINED);
    PushWindowEvent(second, SDL_WINDOWEVENT_FOCUS_LOST);
    TakeInput();
    EXPECT_TRUE(activations().empty());

    platform::sim::FocusWindow(nullptr);
    TakeInput();
    EXPECT_EQ(activations(), (std::vector<std::pair<HWND, WPARAM>>{{window_, FALSE}, {second, FALSE}}));
}

TEST_F(Input, CloseButtonBecomesScCloseAndThenWmClose) {
    platform::sim::PressCloseButton(window_);
    EXPECT_TRUE(TakeInput().empty());  // sent, not queued
    const auto commands = Messages(WM_SYSCOMMAND);
    ASSERT_EQ(commands.size(), 1u);
    EXPECT_EQ(commands[0].wParam, SC_CLOSE);
    EXPECT_EQ(Messages(WM_CLOSE).size(), 1u);
    EXPECT_FALSE(IsWindow(window_));
}

TEST_F(Input, SwallowingScCloseKeepsTheWindow) {
    SetOverride([](HWND, UINT message, WPARAM wParam, LPARAM, LRESULT* result) {
        if (message != WM_SYSCOMMAND || (wParam & 0xFFF0) != SC_CLOSE) return false;
        *result = 0;
        return true;
    });
    platform::sim::PressCloseButton(window_);
    platform::sim::PressKey(window_, VK_F4, Modifiers{false, false, true});
    const std::vector<MSG> messages = TakeInput();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].message, WM_SYSKEYDOWN);
    EXPECT_EQ(Messages(WM_SYSCOMMAND).size(), 2u);  // the button, then Alt+F4
    EXPECT_TRUE(Messages(WM_CLOSE).empty());
    EXPECT_TRUE(IsWindow(window_));
}

TEST_F(Input, AltF4ClosesThroughDefWindowProc) {
    platform::sim::PressKey(window_, VK_F4, Modifiers{false, false, true});
    TakeInput();
    EXPECT_FALSE(IsWindow(window_));
}

TEST_F(Input, SuspendReachesEveryTopLevelWindow) {
    HWND second = CreateTopLevel(WS_POPUP);
    HWND child = CreateChild(window_, {0, 0, 10, 10});
    TakeInput();
    Log().clear();
    platform::sim::Suspend();
    TakeInput();
    const auto broadcasts = Messages(WM_POWERBROADCAST);
    ASSERT_EQ(broadcasts.size(), 2u);
    EXPECT_EQ(broadcasts[0].window, window_);
    EXPECT_EQ(broadcasts[1].window, second);
    EXPECT_EQ(broadcasts[0].wParam, PBT_APMSUSPEND);
    for (const Received& received : broadcasts) EXPECT_NE(received.window, child);
}

TEST_F(Input, InputForADestroyedWindowIsDropped) {
    platform::sim::PressKey(window_, 'A');
    MSG message;
    ASSERT_TRUE(PeekMessageW(&message, nullptr, 0, 0, PM_NOREMOVE));
    ASSERT_EQ(message.message, WM_KEYDOWN);
    DestroyWindow(window_);
    EXPECT_TRUE(TakeInput().empty());
}

TEST(Cursor, ShowCursorCountsAndSetCursorNullHides) {
    HWND window = CreateTopLevel(WS_POPUP | WS_VISIBLE);  // starts SDL's video
    EXPECT_EQ(LoadCursorW(nullptr, IDC_HAND), reinterpret_cast<HCURSOR>(IDC_HAND));
    EXPECT_EQ(LoadCursorW(nullptr, MAKEINTRESOURCEW(1)), nullptr);
    EXPECT_EQ(ShowCursor(FALSE), -1);
    EXPECT_EQ(SDL_ShowCursor(SDL_QUERY), SDL_DISABLE);
    EXPECT_EQ(ShowCursor(TRUE), 0);
    EXPECT_EQ(SDL_ShowCursor(SDL_QUERY), SDL_ENABLE);
    const HCURSOR previous = SetCursor(nullptr);
    EXPECT_EQ(SDL_ShowCursor(SDL_QUERY), SDL_DISABLE);
    EXPECT_EQ(SetCursor(LoadCursorW(nullptr, IDC_HAND)), nullptr);
    EXPECT_EQ(SDL_ShowCursor(SDL_QUERY), SDL_ENABLE);
    SetCursor(previous);
    DestroyWindow(window);
}

TEST(SystemParameters, ScreenSaverRunningFlag) {
    BOOL previous = TRUE;
    ASSERT_TRUE(SystemParametersInfoW(SPI_SETSCREENSAVERRUNNING, TRUE, &previous, 0));
    EXPECT_EQ(previous, FALSE);
    EXPECT_TRUE(platform::sim::ScreenSaverRunning());
    ASSERT_TRUE(SystemParametersInfoW(SPI_SETSCREENSAVERRUNNING, FALSE, &previous, 0));
    EXPECT_EQ(previous, TRUE);
    EXPECT_FALSE(platform::sim::ScreenSaverRunning());
    EXPECT_FALSE(SystemParametersInfoW(0x1234, 0, nullptr, 0));
}

}  // namespace
