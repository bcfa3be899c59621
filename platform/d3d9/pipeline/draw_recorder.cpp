#include "d3d9/pipeline/draw_recorder.h"

#include <atomic>
#include <mutex>
#include <utility>

namespace platform::d3d9::pipeline {
namespace {

std::atomic<bool> recording{false};
std::mutex mutex;
std::vector<sim::DrawRecord> records;

}  // namespace

bool RecordingDraws() { return recording.load(std::memory_order_relaxed); }

void RecordDraw(sim::DrawRecord record) {
    std::lock_guard lock(mutex);
    records.push_back(std::move(record));
}

}  // namespace platform::d3d9::pipeline

namespace platform::sim {

void RecordDraws(bool on) {
    d3d9::pipeline::recording.store(on, std::memory_order_relaxed);
    if (!on) TakeDraws();
}

std::vector<DrawRecord> TakeDraws() {
    std::lock_guard lock(d3d9::pipeline::mutex);
    return std::exchange(d3d9::pipeline::records, {});
}

}  // namespace platform::sim
