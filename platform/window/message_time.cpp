#include "window/message_time.h"

#include <atomic>


namespace platform::window {
namespace {

// Packed x and y, readable by PostMessageW on any thread.
std::atomic<uint64_t> g_cursor{0};

}  // namespace

POINT CursorPosition() {
    const uint64_t packed = g_cursor.load(std::memory_order_relaxed);
    return POINT{static_cast<LONG>(static_cast<uint32_t>(packed)), static_cast<LONG>(static_cast<uint32_t>(packed >> 32))};
}

void SetCursorPosition(POINT position) {
    g_cursor.store(static_cast<uint64_t>(static_cast<uint32_t>(position.x)) |
                       (static_cast<uint64_t>(static_cast<uint32_t>(position.y)) << 32),
                   std::memory_order_relaxed);
}

MSG MessageAtNow(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return MSG{window, message, wParam, lParam, GetTickCount(), CursorPosition()};
}

}  // namespace platform::window
