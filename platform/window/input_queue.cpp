#include "window/input_queue.h"

#include <algorithm>
#include <deque>

namespace platform::window {
namespace {

struct Entry {
    MSG message;
    Delivery delivery;
};

std::deque<Entry>& Entries() {
    static std::deque<Entry> entries;
    return entries;
}

bool IsMouseMessage(UINT message) {
    return message == WM_MOUSEMOVE || message == WM_LBUTTONDOWN || message == WM_RBUTTONDOWN ||
           message == WM_MBUTTONDOWN;
}

}  // namespace

void QueueInput(const MSG& message, Delivery delivery) {
    Entries().push_back(Entry{message, delivery});
}

InputResult TakeInput(MSG* message, const MessageFilter& filter, bool remove) {
    auto& entries = Entries();
    for (auto entry = entries.begin(); entry != entries.end(); ++entry) {
        if (entry->delivery == Delivery::Sent) {
            const MSG notification = entry->message;
            entries.erase(entry);
            SendMessageW(notification.hwnd, notification.message, notification.wParam, notification.lParam);
            return InputResult::Delivered;
        }
        if (!filter.Accepts(entry->message.hwnd, entry->message.message)) continue;
        *message = entry->message;
        if (remove) {
            entries.erase(entry);
            if (IsMouseMessage(message->message))
                SendMessageW(message->hwnd, WM_SETCURSOR, reinterpret_cast<WPARAM>(message->hwnd),
                             MAKELPARAM(HTCLIENT, message->message));
        }
        return InputResult::Found;
    }
    return InputResult::None;
}

void DropInputFor(HWND window) {
    std::erase_if(Entries(), [window](const Entry& entry) { return entry.message.hwnd == window; });
}

}  // namespace platform::window
