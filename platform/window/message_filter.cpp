#include "window/message_filter.h"

#include "window/window_table.h"

namespace platform::window {

bool MessageFilter::AcceptsNumber(UINT message) const {
    return (first == 0 && last == 0) || (message >= first && message <= last);
}

bool MessageFilter::AcceptsWindow(HWND target) const {
    return !window || (target && IsSelfOrDescendant(window, target));
}

}  // namespace platform::window
