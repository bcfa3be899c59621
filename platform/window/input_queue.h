// Input waiting for the message loop, in the order it happened. Queued
// input (keys, mouse) is returned by GetMessageW and PeekMessageW; system
// notifications (activation, the close button, power events) are sent to
// the window procedure when the loop reaches them, as Windows sends them.
#pragma once

#include <windows.h>

#include "window/message_filter.h"

namespace platform::window {

enum class Delivery { Queued, Sent };
enum class InputResult { Found, Delivered, None };

void QueueInput(const MSG& message, Delivery delivery);
// Found: the first queued input that passes the filter, unless a
// notification comes before it: then that one is sent (Delivered), so that
// the caller looks at what its window procedure posted first. A mouse
// message taken off the queue is preceded by WM_SETCURSOR, as on Windows.
InputResult TakeInput(MSG* message, const MessageFilter& filter, bool remove);
void DropInputFor(HWND window);

}  // namespace platform::window
