// Reading a time line record of 200,000 intervals stored latest first (a
// 3.2 MB record), the order in which each one lands before all it holds.
#include <vector>

#include <benchmark/benchmark.h>

#include "scene/document/kv_iof_r.h"
#include "scene/document/record.h"
#include "scene/document/writer/kv_iof_w.h"
#include "scene/model/time_line_control.h"

namespace {

constexpr DWORD kIntervals = 200000;

std::vector<BYTE> DescendingTimeLine() {
    KV_IOF_W w;
    WriteRecordFrame(w, L"KV_TimeLineControl", 1);
    const INT modes[2] = {KV_TimeLineControl::kModeIntervals, 0};
    for (const INT& mode : modes) {
        w.WriteInt(&mode);
    }
    const UINT hundredths[6] = {100, 200, 300, 400, 50, 50};
    for (const UINT& value : hundredths) {
        w.WriteUInt(&value);
    }
    w.WriteDword(&kIntervals);
    for (DWORD i = kIntervals; i > 0; --i) {
        const float start = 2.0f * static_cast<float>(i);
        const float stored[4] = {start, start + 1.0f, start + 0.25f, start + 0.75f};
        for (const float& value : stored) {
            w.WriteFloat(&value);
        }
    }
    return w.TakeBytes();
}

void ReadDescendingIntervals(benchmark::State& state) {
    const std::vector<BYTE> record = DescendingTimeLine();
    for (auto _ : state) {
        ResourceBuffer buffer(record.data(), record.size());
        KV_IOF_R<ResourceBuffer> reader(buffer);
        KV_TimeLineControl timeLine;
        timeLine.ReadRecord(reader);
        if (reader.Failed() || timeLine.Intervals().Size() != kIntervals) {
            state.SkipWithError("the record did not read whole");
            break;
        }
        benchmark::DoNotOptimize(timeLine.Intervals().Size());
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * record.size()));
}
BENCHMARK(ReadDescendingIntervals)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
