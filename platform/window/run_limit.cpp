#include "window/run_limit.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <iostream>
#include <map>
#include <optional>
#include <string_view>

#include "kernel/clock.h"
#include "window/input_queue.h"
#include "window/keyboard.h"
#include "window/message_time.h"
#include "window/sdl_input.h"
#include "window/window_table.h"

namespace platform {
namespace {

constexpr uint64_t kMaxFrames = 1'000'000'000;
constexpr double kMaxSeconds = 10'000'000;

const char* EnvironmentText(const char* name) {
    const char* text = std::getenv(name);
    return text != nullptr && *text != 0 ? text : nullptr;
}

void ReportIgnored(const char* name, const char* text, const char* expected) {
    std::cerr << name << ": ignoring \"" << text << "\" (expected " << expected << ")\n";
}

// A whole number of frames, digits only.
std::optional<uint64_t> FramesFromEnvironment() {
    const char* text = EnvironmentText("SAVER_CAPTURE_FRAMES");
    if (text == nullptr) return std::nullopt;
    const std::string_view digits(text);
    uint64_t frames = 0;
    const bool valid = digits.size() <= 10 && std::ranges::all_of(digits, [&](char c) {
        if (c < '0' || c > '9') return false;
        frames = frames * 10 + static_cast<uint64_t>(c - '0');
        return true;
    });
    if (!valid || frames == 0 || frames > kMaxFrames) {
        ReportIgnored("SAVER_CAPTURE_FRAMES", text, "a number of frames from 1 to 1000000000");
        return std::nullopt;
    }
    return frames;
}

std::optional<double> SecondsFromEnvironment() {
    const char* text = EnvironmentText("SAVER_RUN_SECONDS");
    if (text == nullptr) return std::nullopt;
    char* end = nullptr;
    const double seconds = std::strtod(text, &end);
    if (*end != 0 || !std::isfinite(seconds) || !(seconds > 0) || seconds > kMaxSeconds) {
        ReportIgnored("SAVER_RUN_SECONDS", text, "a number of seconds above 0 and up to 10000000");
        return std::nullopt;
    }
    return seconds;
}

struct RunLimit {
    std::optional<uint64_t> frames = FramesFromEnvironment();
    std::optional<double> seconds = SecondsFromEnvironment();
    std::map<const void*, uint64_t> devicePresents;
    std::map<HWND, uint64_t> windowPaints;
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

// The frames that count: those of the devices while any exists, else the
// windows' paints. Every one of them must have shown enough.
bool EveryUnitShowed(const RunLimit& limit) {
    const auto enough = [&](const auto& entry) { return entry.second >= *limit.frames; };
    if (!limit.devicePresents.empty()) return std::ranges::all_of(limit.devicePresents, enough);
    bool anyWindow = false;
    for (const auto& entry : limit.windowPaints) {
        if (window::LookUpWindow(entry.first) == nullptr) continue;  // destroyed since
        if (!enough(entry)) return false;
        anyWindow = true;
    }
    return anyWindow;
}

void CheckFrames() {
    RunLimit& limit = State();
    if (limit.frames && EveryUnitShowed(limit)) EndRunAsUser();
}

}  // namespace

void NoteFramePresented(const void* device) {
    ++State().devicePresents[device];
    CheckFrames();
}

void NoteDeviceGone(const void* device) { State().devicePresents.erase(device); }

void NoteWindowPainted(HWND window) {
    ++State().windowPaints[window];
    CheckFrames();
}

std::optional<uint64_t> CaptureFrameLimit() { return State().frames; }

void CheckRunTime() {
    RunLimit& limit = State();
    if (!limit.seconds || limit.ended) return;
    const int64_t now = MonotonicNanoseconds();
    if (!limit.start) limit.start = now;
    if (static_cast<double>(now - *limit.start) >= *limit.seconds * 1e9) EndRunAsUser();
}

}  // namespace platform
