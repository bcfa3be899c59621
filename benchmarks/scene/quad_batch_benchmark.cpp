// One frame of a 20,000-quad batch: every quad's corners and colour written
// through the locked batch, then the batch drawn (two chunks). Thread CPU
// time: the engine, the layer and the GL driver's front end on the calling
// thread; the rasteriser runs on the driver's own threads. `perf record`
// on this benchmark separates the driver's share.
#include <benchmark/benchmark.h>
#include <epoxy/gl.h>

#include <d3d9.h>
#include <windows.h>

#include "benchmarks/d3d9/window_device.h"
#include "scene/render/current_device.h"
#include "scene/render/quad_batch.h"

namespace {

constexpr UINT kWidth = 1920, kHeight = 1080;
constexpr int kQuads = 20000;

IDirect3DDevice9* MakeDevice() {
    IDirect3D9* direct3D = Direct3DCreate9(D3D_SDK_VERSION);
    IDirect3DDevice9* device = CreateBenchmarkDevice(direct3D, MakeBenchmarkWindow(kWidth, kHeight), kWidth, kHeight);
    direct3D->Release();
    return device;
}

void FillAndDrawQuadBatch(benchmark::State& state) {
    g_currentDevice = MakeDevice();
    IDirect3DTexture9* texture = nullptr;
    g_currentDevice->CreateTexture(64, 64, 1, 0, D3DFMT_A8R8G8B8, D3DPOOL_MANAGED, &texture, nullptr);
    QuadBatch batch;
    batch.Resize(kQuads);
    batch.SetTexture(texture);
    g_currentDevice->SetRenderState(D3DRS_ALPHABLENDENABLE, TRUE);
    g_currentDevice->SetRenderState(D3DRS_SRCBLEND, D3DBLEND_SRCALPHA);
    g_currentDevice->SetRenderState(D3DRS_DESTBLEND, D3DBLEND_INVSRCALPHA);
    g_currentDevice->SetTextureStageState(0, D3DTSS_ALPHAOP, D3DTOP_MODULATE);
    float phase = 0.0f;
    for (auto _ : state) {
        phase += 0.01f;
        batch.Lock();
        for (int i = 0; i < kQuads; ++i) {
            const float x = static_cast<float>(i % 200) * 9.6f + phase, y = static_cast<float>(i / 200) * 10.8f;
            batch.SetQuadCorners(i, {x, y}, {4, 1}, {-1, 4});
            batch.SetQuadColour(i, 0x80000000u | static_cast<D3DCOLOR>(i * 2654435761u & 0xFFFFFF));
        }
        batch.Unlock();
        g_currentDevice->BeginScene();
        batch.Draw();
        g_currentDevice->EndScene();
        glFlush();
    }
    glFinish();
    texture->Release();
    batch = QuadBatch();
    g_currentDevice->Release();
    g_currentDevice = nullptr;
}

}  // namespace

BENCHMARK(FillAndDrawQuadBatch)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
