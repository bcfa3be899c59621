// The order in which GetMessageW and PeekMessageW return messages.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <future>
#include <thread>

#include <platform/sim_clock.h>
#include <windows.h>

#include "platform/window/recording_window.h"

namespace {

using namespace window_test;

class MessageOrder : public ::testing::Test {
protected:
    WindowTest windows_;
    platform::sim::ControlledClock clock_;
};

std::vector<UINT> Numbers(const std::vector<MSG>& messages) {
    std::vector<UINT> numbers;
    for (const MSG& message : messages) numbers.push_back(message.message);
    return numbers;
}

TEST_F(MessageOrder, PostedInOrderThenQuitThenPaintThenTimer) {
    HWND window = CreateTopLevel();
    ValidateRect(window, nullptr);
    SetTimer(window, 1, 500, nullptr);
    clock_.AdvanceMilliseconds(600);
    InvalidateRect(window, nullptr, FALSE);
    PostMessageW(window, WM_USER + 1, 0, 0);
    PostMessageW(window, WM_USER + 2, 0, 0);
    PostQuitMessage(7);
    PostMessageW(window, WM_USER + 3, 0, 0);  // after the quit, still before it

    std::vector<MSG> got;
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0)) got.push_back(message);
    got.push_back(message);
    EXPECT_EQ(Numbers(got), (std::vector<UINT>{WM_USER + 1, WM_USER + 2, WM_USER + 3, WM_QUIT}));
    EXPECT_EQ(message.wParam, 7u);

    ASSERT_TRUE(PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(message.message, WM_PAINT);
    EXPECT_EQ(message.hwnd, window);
    ValidateRect(window, nullptr);
    ASSERT_TRUE(PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(message.message, WM_TIMER);
    EXPECT_EQ(message.wParam, 1u);
    EXPECT_FALSE(PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE));
}

TEST_F(MessageOrder, PaintAndTimerNeverComeBeforePostedMessages) {
    HWND window = CreateTopLevel();
    SetTimer(window, 3, 100, nullptr);
    clock_.AdvanceMilliseconds(200);
    InvalidateRect(window, nullptr, TRUE);
    PostMessageW(window, WM_USER, 0, 0);
    MSG message;
    ASSERT_TRUE(GetMessageW(&message, nullptr, 0, 0));
    EXPECT_EQ(message.message, WM_USER);
    ASSERT_TRUE(GetMessageW(&message, nullptr, 0, 0));
    EXPECT_EQ(message.message, WM_PAINT);
}

TEST_F(MessageOrder, PaintStaysUntilTheWindowIsValid) {
    HWND window = CreateTopLevel();  // visible, so it needs painting
    MSG message;
    for (int i = 0; i < 2; ++i) {
        ASSERT_TRUE(PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE));
        EXPECT_EQ(message.message, WM_PAINT);
        EXPECT_EQ(message.hwnd, window);
    }
    DispatchMessageW(&message);  // DefWindowProcW paints, which validates
    EXPECT_FALSE(PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(Messages(WM_ERASEBKGND).size(), 1u);
}

TEST_F(MessageOrder, HiddenWindowsGetNoPaint) {
    HWND window = CreateTopLevel(WS_POPUP);
    InvalidateRect(window, nullptr, TRUE);
    MSG message;
    EXPECT_FALSE(PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE));
    ShowWindow(window, SW_SHOW);
    ASSERT_TRUE(PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(message.message, WM_PAINT);
}

TEST_F(MessageOrder, NoRemoveLeavesMessagesAndQuit) {
    HWND window = CreateTopLevel(WS_POPUP);
    PostMessageW(window, WM_USER, 1, 2);
    PostQuitMessage(0);
    MSG message;
    ASSERT_TRUE(PeekMessageW(&message, nullptr, 0, 0, PM_NOREMOVE));
    EXPECT_EQ(message.message, WM_USER);
    ASSERT_TRUE(PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(message.message, WM_USER);
    EXPECT_EQ(message.lParam, 2);
    ASSERT_TRUE(PeekMessageW(&message, nullptr, 0, 0, PM_NOREMOVE));
    EXPECT_EQ(message.message, WM_QUIT);
    EXPECT_EQ(GetMessageW(&message, nullptr, 0, 0), FALSE);
    EXPECT_FALSE(PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE));
}

TEST_F(MessageOrder, WindowFilterTakesTheWindowAndItsChildrenAndAlwaysQuit) {
    HWND first = CreateTopLevel(WS_POPUP);
    HWND second = CreateTopLevel(WS_POPUP);
    HWND child = CreateChild(second, {0, 0, 10, 10}, WS_CHILD);
    PostMessageW(first, WM_USER + 1, 0, 0);
    PostMessageW(nullptr, WM_USER + 2, 0, 0);
    PostMessageW(child, WM_USER + 3, 0, 0);
    MSG message;
    ASSERT_TRUE(PeekMessageW(&message, second, 0, 0, PM_REMOVE));
    EXPECT_EQ(message.message, WM_USER + 3);
    EXPECT_FALSE(PeekMessageW(&message, second, 0, 0, PM_REMOVE));
    PostQuitMessage(0);
    // A loop waiting for one window still sees the quit.
    EXPECT_EQ(GetMessageW(&message, second, 0, 0), FALSE);
    EXPECT_EQ(Numbers(DrainQueue()), (std::vector<UINT>{WM_USER + 1, WM_USER + 2}));
    EXPECT_EQ(GetMessageW(&message, reinterpret_cast<HWND>(static_cast<uintptr_t>(8)), 0, 0), -1);
}

TEST_F(MessageOrder, PostingToADestroyedWindowFailsAndItsMessagesGo) {
    HWND window = CreateTopLevel(WS_POPUP);
    ASSERT_TRUE(PostMessageW(window, WM_USER, 0, 0));
    DestroyWindow(window);
    EXPECT_FALSE(PostMessageW(window, WM_USER, 0, 0));
    MSG message;
    EXPECT_FALSE(PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE));
}

TEST_F(MessageOrder, SendMessageRunsTheProcedureAtOnce) {
    HWND window = CreateTopLevel(WS_POPUP);
    SetOverride([](HWND, UINT message, WPARAM wParam, LPARAM, LRESULT* result) {
        if (message != WM_USER) return false;
        *result = static_cast<LRESULT>(wParam * 2);
        return true;
    });
    EXPECT_EQ(SendMessageW(window, WM_USER, 21, 0), 42);
    EXPECT_EQ(SendMessageW(nullptr, WM_USER, 21, 0), 0);
}

TEST_F(MessageOrder, TranslateMessagePostsTheCharacter) {
    HWND window = CreateTopLevel(WS_POPUP);
    MSG key{window, WM_KEYDOWN, 'A', 0x001E0001, 0, {}};
    EXPECT_TRUE(TranslateMessage(&key));
    MSG message;
    ASSERT_TRUE(PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(message.message, WM_CHAR);
    EXPECT_EQ(message.wParam, static_cast<WPARAM>(L'a'));
    MSG other{window, WM_USER, 0, 0, 0, {}};
    EXPECT_FALSE(TranslateMessage(&other));
}

// A post from another thread wakes a GetMessageW that waits for nothing
// else; a watchdog turns a missed wake-up into a failure, not a hang.
TEST(MessageWakeUp, PostFromAnotherThreadWakesGetMessage) {
    std::promise<void> returned;
    std::thread watchdog([done = returned.get_future()]() {
        if (done.wait_for(std::chrono::seconds(10)) == std::future_status::timeout) {
            ADD_FAILURE() << "GetMessageW was not woken by PostMessageW";
            std::_Exit(1);
        }
    });
    std::thread poster([] {
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        PostMessageW(nullptr, WM_APP + 5, 11, 12);
    });
    MSG message;
    const BOOL result = GetMessageW(&message, nullptr, 0, 0);
    returned.set_value();
    poster.join();
    watchdog.join();
    EXPECT_EQ(result, TRUE);
    EXPECT_EQ(message.message, WM_APP + 5);
    EXPECT_EQ(message.wParam, 11u);
}

TEST(MessageWakeUp, PostsFromSeveralThreadsKeepEachThreadsOrder) {
    constexpr int kThreads = 4;
    constexpr int kPerThread = 500;
    std::vector<std::thread> posters;
    for (int thread = 0; thread < kThreads; ++thread)
        posters.emplace_back([thread] {
            for (int i = 0; i < kPerThread; ++i) PostMessageW(nullptr, WM_APP, static_cast<WPARAM>(thread), i);
        });
    std::vector<LPARAM> next(kThreads, 0);
    MSG message;
    for (int received = 0; received < kThreads * kPerThread; ++received) {
        ASSERT_TRUE(GetMessageW(&message, nullptr, 0, 0));
        ASSERT_EQ(message.message, WM_APP);
        ASSERT_LT(message.wParam, static_cast<WPARAM>(kThreads));
        EXPECT_EQ(message.lParam, next[message.wParam]++);
    }
    for (std::thread& poster : posters) poster.join();
    EXPECT_FALSE(PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE));
}

}  // namespace
