#include "d3d9/device_loss.h"

#include <algorithm>
#include <utility>

#include "d3d9/sim_adapters.h"

namespace platform::d3d9 {

void DeviceLoss::Poll(UINT framesPresented) {
    while (const auto event = TakeDueEvent(adapter_, framesPresented)) Apply(*event);
}

void DeviceLoss::Apply(const sim::DeviceEvent& event) {
    switch (event.kind) {
        case sim::DeviceEvent::Kind::Lost:
            state_ = State::Lost;
            lostChecksLeft_ = std::max<UINT>(1, event.lostChecks);
            break;
        case sim::DeviceEvent::Kind::NeedsReset:
            state_ = State::NotReset;
            break;
        case sim::DeviceEvent::Kind::ResetFails:
            resetFailure_ = event.resetResult;
            break;
    }
}

HRESULT DeviceLoss::CooperativeLevel() {
    switch (state_) {
        case State::Operational:
            return D3D_OK;
        case State::Lost:
            if (--lostChecksLeft_ == 0) state_ = State::NotReset;
            return D3DERR_DEVICELOST;
        case State::NotReset:
            break;
    }
    return D3DERR_DEVICENOTRESET;
}

std::optional<HRESULT> DeviceLoss::TakeResetFailure() { return std::exchange(resetFailure_, std::nullopt); }

}  // namespace platform::d3d9
