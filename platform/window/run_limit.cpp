#include "window/run_limit.h"

#include <cstdint>
#include <cstdlib>
#include <optional>

#include "kernel/clock.h"
#include "window/input_queue.h"
#include "window/keyboard.h"
#include "window/message_time.h"
#include "window/sdl_input.h"
#include "window/window_table.h"

namespace platform {
namespace {

std::optional<double> PositiveNumberFromEnvironment(const char* name) {
    const char* text = std::getenv(name);
    if (!text || *text == 0) return std::nullopt;
    char* end = nullptr;
    const double value = std::strtod(text, &end);
    if (*end != 0 || !(value > 0)) return std::nullopt;
    return value;
}

struct RunLimit {
    std::optional<double> frames = PositiveNumberFromEnvironment("SAVER_CAPTURE_FRAMES");
    std::optional<double> seconds = PositiveNumberFromEnvironment("SAVER_RUN_SECONDS");
    uint64_t framesShown = 0;
    std::optional<int64_t> start;
    bool ended = false;
};

RunLimit& State() {
    static RunLimit limit;
    return limit;
}

// A key press to the window with the focus (or the first one), then the
// close button of every top-level window, in that order. A run without any
// window (a preview whose parent does not exist) can only be told to quit.
void EndRunAsUser() {
    using namespace window;
    RunLimit& limit = State();
    if (limit.ended) return;
    limit.ended = true;
    const std::vector<HWND> windows = TopLevelWindows();
    if (windows.empty()) {
        PostQuitMessage(0);
        return;
    }
    const Window* focused = WindowOfSdlWindow(FocusedSdlWindow());
    const HWND target = focused ? focused->handle : windows.front();
    QueueInput(KeyDownMessage(target, *KeyOfVirtualKey(VK_ESCAPE), VK_ESCAPE, KeyModifiers{}, false),
               Delivery::Queued);
    for (HWND window : windows)
        QueueInput(MessageAtNow(window, WM_SYSCOMMAND, SC_CLOSE, 0), Delivery::Sent);
}

}  // namespace

void NoteFrameShown() {
    RunLimit& limit = State();
    ++limit.framesShown;
    if (limit.frames && static_cast<double>(limit.framesShown) >= *limit.frames) EndRunAsUser();
}

void CheckRunTime() {
    RunLimit& limit = State();
    if (!limit.seconds || limit.ended) return;
    const int64_t now = MonotonicNanoseconds();
    if (!limit.start) limit.start = now;
    if (static_cast<double>(now - *limit.start) >= *limit.seconds * 1e9) EndRunAsUser();
}

}  // namespace platform
