// The simulated machine's adapter descriptions and pending device events.
#pragma once

#include <optional>

#include "platform/sim_d3d.h"

namespace platform::d3d9 {

std::optional<sim::AdapterDescription> SimulatedAdapter(UINT ordinal);
// The first pending event of the adapter due after framesPresented
// frames, removed from the schedule.
std::optional<sim::DeviceEvent> TakeDueEvent(UINT ordinal, UINT framesPresented);
// What a test chose for new devices' command queues, if it did.
std::optional<bool> SimulatedDeviceQueue();

}  // namespace platform::d3d9
