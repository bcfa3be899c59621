#include "host/application_clock.h"

#include <windows.h>
#include <mmsystem.h>

namespace {

double NowSeconds() {
    static const LONGLONG frequency = [] {
        LARGE_INTEGER value{};
        return QueryPerformanceFrequency(&value) ? value.QuadPart : 0;
    }();
    if (frequency == 0) return timeGetTime() * 0.001;
    LARGE_INTEGER counter{};
    QueryPerformanceCounter(&counter);
    return static_cast<double>(counter.QuadPart) / static_cast<double>(frequency);
}

}  // namespace

void ApplicationClock::Start() {
    const double now = NowSeconds();
    if (stopped_) start_ += now - stop_;
    stop_ = 0;
    lastElapsed_ = now;
    stopped_ = false;
}

float ApplicationClock::Time() const {
    return static_cast<float>((stopped_ ? stop_ : NowSeconds()) - start_);
}

float ApplicationClock::Elapsed() {
    const double now = NowSeconds();
    const double elapsed = now - lastElapsed_;
    lastElapsed_ = now;
    return static_cast<float>(elapsed);
}
