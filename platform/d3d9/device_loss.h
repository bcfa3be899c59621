// Whether a device is operational, lost, or waiting for Reset, driven by
// the simulated machine's scheduled events (the real one never loses a
// GL device).
#pragma once

#include <optional>

#include <d3d9.h>

#include "platform/sim_d3d.h"

namespace platform::d3d9 {

class DeviceLoss {
public:
    explicit DeviceLoss(UINT adapter) : adapter_(adapter) {}

    // Takes the adapter's events due after framesPresented.
    void Poll(UINT framesPresented);
    // TestCooperativeLevel's answer; a lost device becomes not-reset once
    // it has been reported lost as often as its event said.
    HRESULT CooperativeLevel();
    bool lost() const { return state_ == State::Lost; }
    bool operational() const { return state_ == State::Operational; }
    // A failure scheduled for the next Reset, taken.
    std::optional<HRESULT> TakeResetFailure();
    void ResetFailed() { state_ = State::NotReset; }
    void ResetSucceeded() { state_ = State::Operational; }

private:
    enum class State { Operational, Lost, NotReset };

    void Apply(const sim::DeviceEvent& event);

    UINT adapter_;
    State state_ = State::Operational;
    UINT lostChecksLeft_ = 0;
    std::optional<HRESULT> resetFailure_;
};

}  // namespace platform::d3d9
