#include "window/timers.h"

#include <algorithm>
#include <vector>

#include "kernel/clock.h"
#include "window/message_time.h"

namespace platform::window {
namespace {

// Windows raises shorter periods to this minimum.
constexpr UINT kMinimumElapse = 10;
constexpr int64_t kNanosecondsPerMillisecond = 1'000'000;

struct Timer {
    HWND window;
    UINT_PTR id;
    int64_t period;
    int64_t due;
};

std::vector<Timer>& Timers() {
    static std::vector<Timer> timers;
    return timers;
}

std::vector<Timer>::iterator EarliestDue(const MessageFilter& filter) {
    auto& timers = Timers();
    auto earliest = timers.end();
    for (auto timer = timers.begin(); timer != timers.end(); ++timer) {
        if (!filter.Accepts(timer->window, WM_TIMER)) continue;
        if (earliest == timers.end() || timer->due < earliest->due) earliest = timer;
    }
    return earliest;
}

}  // namespace

void StartTimer(HWND window, UINT_PTR id, UINT elapseMilliseconds) {
    const int64_t period = std::max(elapseMilliseconds, kMinimumElapse) * kNanosecondsPerMillisecond;
    const int64_t due = MonotonicNanoseconds() + period;
    auto& timers = Timers();
    auto existing = std::find_if(timers.begin(), timers.end(),
                                 [&](const Timer& timer) { return timer.window == window && timer.id == id; });
    if (existing != timers.end()) *existing = Timer{window, id, period, due};
    else timers.push_back(Timer{window, id, period, due});
}

bool StopTimer(HWND window, UINT_PTR id) {
    return std::erase_if(Timers(), [&](const Timer& timer) { return timer.window == window && timer.id == id; }) > 0;
}

void StopTimersOf(HWND window) {
    std::erase_if(Timers(), [&](const Timer& timer) { return timer.window == window; });
}

std::optional<MSG> TakeDueTimer(const MessageFilter& filter, bool remove) {
    auto timer = EarliestDue(filter);
    const int64_t now = MonotonicNanoseconds();
    if (timer == Timers().end() || timer->due > now) return std::nullopt;
    const MSG message = MessageAtNow(timer->window, WM_TIMER, timer->id, 0);
    if (remove) {
        const int64_t missed = (now - timer->due) / timer->period;
        timer->due += (missed + 1) * timer->period;
    }
    return message;
}

std::optional<int64_t> NextTimerDue(const MessageFilter& filter) {
    auto timer = EarliestDue(filter);
    if (timer == Timers().end()) return std::nullopt;
    return timer->due;
}

}  // namespace platform::window
