// One frame of the water rings on their largest grid (170 x 384 cells):
// four simulation passes and the vertex fill through one lock of the
// dynamic vertex buffer. The frame pacing is 30 ms; the step should take
// a sixth of it at most.
#include <benchmark/benchmark.h>

#include "d3dx9/benchmark_device.h"
#include "effects/lights/ripple_grid.h"
#include "scene/model/crt_random.h"
#include "scene/render/current_device.h"

namespace {

void StepLargestRippleGrid(benchmark::State& state)
{
    BenchmarkDevice device;
    g_currentDevice = device.get();
    {
        RippleGrid grid;
        grid.BuildRefractionTable();
        grid.Resize(40.0f, 30.0f, 2.0f, 2.0f);
        kv_srand(1);
        for (auto _ : state) {
            grid.AddDrop();
            grid.Step(D3DXVECTOR3(0.0f, 120.0f, 0.0f));
        }
        state.counters["cells"] = static_cast<double>(grid.cellCount);
    }
    g_currentDevice = nullptr;
}

}  // namespace

BENCHMARK(StepLargestRippleGrid)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
