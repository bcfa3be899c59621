#include <platform/sim_clock.h>

#include <atomic>

#include "kernel/clock.h"
#include "window/clock_mode.h"

namespace platform::sim {

class ControlledClock::Source final : public TimeSource {
public:
    explicit Source(int64_t start) : now_(start) {}
    int64_t NowNanoseconds() override { return now_.load(); }
    void SleepNanoseconds(int64_t duration) override {
        if (duration > 0) now_.fetch_add(duration);
    }

private:
    std::atomic<int64_t> now_;
};

ControlledClock::ControlledClock(int64_t startNanoseconds) : source_(std::make_unique<Source>(startNanoseconds)) {
    SetTimeSource(source_.get());
    window::SetClockControlled(true);
}

ControlledClock::~ControlledClock() {
    window::SetClockControlled(false);
    SetTimeSource(nullptr);
}

void ControlledClock::AdvanceMilliseconds(int64_t milliseconds) {
    source_->SleepNanoseconds(milliseconds * 1'000'000);
}

int64_t ControlledClock::NowNanoseconds() const {
    return source_->NowNanoseconds();
}

}  // namespace platform::sim
