#include "window/clock_mode.h"

#include <atomic>

namespace platform::window {
namespace {

std::atomic<bool> g_controlled{false};

}  // namespace

void SetClockControlled(bool controlled) {
    g_controlled.store(controlled);
}

bool ClockIsControlled() {
    return g_controlled.load();
}

}  // namespace platform::window
