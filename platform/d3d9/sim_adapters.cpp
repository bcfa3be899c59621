#include "d3d9/sim_adapters.h"

#include <algorithm>
#include <map>
#include <mutex>
#include <vector>

namespace platform {
namespace {

struct SimulatedAdapters {
    std::mutex mutex;
    std::vector<sim::AdapterDescription> adapters;
    std::map<UINT, std::vector<sim::DeviceEvent>> events;
    std::optional<bool> deviceQueue;
};

SimulatedAdapters& State() {
    static SimulatedAdapters state;
    return state;
}

}  // namespace

void sim::SetAdapters(std::vector<AdapterDescription> adapters) {
    SimulatedAdapters& state = State();
    std::lock_guard lock(state.mutex);
    state.events.clear();
    for (UINT ordinal = 0; ordinal < adapters.size(); ++ordinal) {
        state.events[ordinal] = adapters[ordinal].events;
    }
    state.adapters = std::move(adapters);
}

void sim::ScheduleDeviceEvent(UINT adapter, DeviceEvent event) {
    SimulatedAdapters& state = State();
    std::lock_guard lock(state.mutex);
    state.events[adapter].push_back(event);
}

void sim::ResetAdapters() {
    SimulatedAdapters& state = State();
    std::lock_guard lock(state.mutex);
    state.adapters.clear();
    state.events.clear();
}

void sim::SetDeviceQueue(std::optional<bool> queue) {
    SimulatedAdapters& state = State();
    std::lock_guard lock(state.mutex);
    state.deviceQueue = queue;
}

std::optional<bool> d3d9::SimulatedDeviceQueue() {
    SimulatedAdapters& state = State();
    std::lock_guard lock(state.mutex);
    return state.deviceQueue;
}

std::optional<sim::AdapterDescription> d3d9::SimulatedAdapter(UINT ordinal) {
    SimulatedAdapters& state = State();
    std::lock_guard lock(state.mutex);
    if (ordinal >= state.adapters.size()) return std::nullopt;
    return state.adapters[ordinal];
}

std::optional<sim::DeviceEvent> d3d9::TakeDueEvent(UINT ordinal, UINT framesPresented) {
    SimulatedAdapters& state = State();
    std::lock_guard lock(state.mutex);
    const auto found = state.events.find(ordinal);
    if (found == state.events.end()) return std::nullopt;
    auto& pending = found->second;
    const auto due = std::find_if(pending.begin(), pending.end(), [&](const sim::DeviceEvent& event) {
        return event.afterFrames <= framesPresented;
    });
    if (due == pending.end()) return std::nullopt;
    const sim::DeviceEvent event = *due;
    pending.erase(due);
    return event;
}

}  // namespace platform
