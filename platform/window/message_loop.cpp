// GetMessageW, PeekMessageW and the calls that deliver messages.
//
// The order follows Windows: posted messages, then WM_QUIT (returned only
// when no posted message that the call asks for is left, even one posted
// after PostQuitMessage), then input, then WM_PAINT while a window needs
// painting, then WM_TIMER.
#include <algorithm>

#include <windows.h>

#include "kernel/clock.h"
#include "window/clock_mode.h"
#include "window/input_queue.h"
#include "window/keyboard.h"
#include "window/message_filter.h"
#include "window/message_time.h"
#include "window/painting.h"
#include "window/posted_queue.h"
#include "window/run_limit.h"
#include "window/sdl_input.h"
#include "window/timers.h"
#include "window/window_table.h"

namespace platform::window {
namespace {

// How often a waiting GetMessageW looks at SDL's events.
constexpr int64_t kInputPollNanoseconds = 10'000'000;

bool FindMessage(MSG* message, const MessageFilter& filter, bool remove) {
    for (;;) {
        CheckRunTime();
        PumpSdlEvents();
        if (TakePosted(message, filter, remove)) return true;
        int exitCode = 0;
        if (TakeQuit(&exitCode, remove)) {
            *message = MessageAtNow(nullptr, WM_QUIT, static_cast<WPARAM>(exitCode), 0);
            return true;
        }
        switch (TakeInput(message, filter, remove)) {
            case InputResult::Found: return true;
            case InputResult::Delivered: continue;  // a window procedure may have posted
            case InputResult::None: break;
        }
        if (HWND window = WindowNeedingPaint(filter)) {
            *message = MessageAtNow(window, WM_PAINT, 0, 0);
            return true;
        }
        if (auto timer = TakeDueTimer(filter, remove)) {
            *message = *timer;
            return true;
        }
        return false;
    }
}

// Waits until a message may have arrived: a post from any thread, SDL
// input, or the next timer. On the simulated clock the wait for a timer
// moves the clock instead.
void WaitForMessage(const MessageFilter& filter, uint64_t postsSeen) {
    const std::optional<int64_t> due = NextTimerDue(filter);
    const int64_t now = MonotonicNanoseconds();
    if (ClockIsControlled() && due) {
        SleepNanoseconds(std::max<int64_t>(0, *due - now));
        return;
    }
    const int64_t timeout = due ? std::clamp<int64_t>(*due - now, 0, kInputPollNanoseconds) : kInputPollNanoseconds;
    WaitForPost(postsSeen, timeout);
}

bool MakeFilter(HWND window, UINT first, UINT last, MessageFilter* filter) {
    if (window && !LookUpWindow(window)) return false;
    *filter = MessageFilter{window, first, last};
    return true;
}

}  // namespace

}  // namespace platform::window

using namespace platform::window;

extern "C" {

BOOL WINAPI GetMessageW(LPMSG message, HWND window, UINT filterMin, UINT filterMax) {
    MessageFilter filter;
    if (!message || !MakeFilter(window, filterMin, filterMax, &filter)) return -1;
    for (;;) {
        const uint64_t postsSeen = PostCount();
        if (FindMessage(message, filter, true)) return message->message != WM_QUIT;
        WaitForMessage(filter, postsSeen);
    }
}

BOOL WINAPI PeekMessageW(LPMSG message, HWND window, UINT filterMin, UINT filterMax, UINT removeFlags) {
    MessageFilter filter;
    if (!message || !MakeFilter(window, filterMin, filterMax, &filter)) return FALSE;
    return FindMessage(message, filter, (removeFlags & PM_REMOVE) != 0);
}

BOOL WINAPI TranslateMessage(const MSG* message) {
    if (!message || (message->message != WM_KEYDOWN && message->message != WM_SYSKEYDOWN)) return FALSE;
    const WCHAR character = CharacterOfKey(static_cast<UINT>(message->wParam), LastKeyModifiers().shift);
    if (character != 0)
        PostToQueue(MessageAtNow(message->hwnd, message->message == WM_KEYDOWN ? WM_CHAR : WM_SYSCHAR,
                                 character, message->lParam));
    return TRUE;
}

LRESULT WINAPI DispatchMessageW(const MSG* message) {
    if (!message) return 0;
    return SendMessageW(message->hwnd, message->message, message->wParam, message->lParam);
}

LRESULT WINAPI SendMessageW(HWND handle, UINT message, WPARAM wParam, LPARAM lParam) {
    const Window* window = LookUpWindow(handle);
    if (!window || !window->procedure) return 0;
    const WNDPROC procedure = window->procedure;
    return procedure(handle, message, wParam, lParam);
}

BOOL WINAPI PostMessageW(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return PostToQueue(MessageAtNow(window, message, wParam, lParam)) ? TRUE : FALSE;
}

void WINAPI PostQuitMessage(int exitCode) {
    SetQuitFlag(exitCode);
}

UINT_PTR WINAPI SetTimer(HWND window, UINT_PTR id, UINT elapse, TIMERPROC timerProc) {
    if (!LookUpWindow(window) || timerProc) return 0;
    StartTimer(window, id, elapse);
    return 1;
}

BOOL WINAPI KillTimer(HWND window, UINT_PTR id) {
    return StopTimer(window, id) ? TRUE : FALSE;
}

}  // extern "C"
