// Window timers. WM_TIMER is made when a timer is due and the queue has
// nothing else, never queued: periods missed while the program was busy
// give one message, and the next one is due at the timer's next period.
#pragma once

#include <cstdint>
#include <optional>

#include <windows.h>

#include "window/message_filter.h"

namespace platform::window {

void StartTimer(HWND window, UINT_PTR id, UINT elapseMilliseconds);
bool StopTimer(HWND window, UINT_PTR id);
void StopTimersOf(HWND window);

// The earliest due timer that passes the filter, as WM_TIMER; remove
// schedules its next period.
std::optional<MSG> TakeDueTimer(const MessageFilter& filter, bool remove);
// When the next timer that passes the filter is due, on the layer's clock.
std::optional<int64_t> NextTimerDue(const MessageFilter& filter);

}  // namespace platform::window
