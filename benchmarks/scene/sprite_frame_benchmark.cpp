// One frame of a 16383-sprite flow system: every sprite moved by its rules
// and its quad written through one lock, against a plain loop that moves the
// same sprites and writes the same vertices. Thread CPU time; nothing is
// drawn, so the driver takes no part.
#include <benchmark/benchmark.h>

#include <d3d9.h>
#include <windows.h>

#include <vector>

#include "benchmarks/d3d9/window_device.h"
#include "particles/sprites/animated_texture.h"
#include "particles/sprites/flow.h"
#include "particles/sprites/particle_geom_array.h"
#include "scene/model/picture_placement.h"
#include "scene/render/current_device.h"
#include "scene/render/vertex_formats.h"

namespace {

constexpr UINT kSprites = 16383;

IDirect3DDevice9* MakeDevice() {
    IDirect3D9* direct3D = Direct3DCreate9(D3D_SDK_VERSION);
    IDirect3DDevice9* device = CreateBenchmarkDevice(direct3D, MakeBenchmarkWindow(640, 480), 640, 480);
    direct3D->Release();
    return device;
}

PicturePlacement g_placement;

void Publish() {
    g_placement.pictureWidth = 1920;
    g_placement.pictureHeight = 1080;
    g_picturePlacement = &g_placement;
}

// A slanting flow with wobble and the default wrapping edges.
void Configure(KV_FlowConstructor& flow) {
    flow.speed = 120.0f;
    flow.wobbleAmplitude.SetValue(10);
    flow.wobbleRate.SetValue(8);
    flow.angle.SetValue(300);
    flow.count.SetValue(kSprites);
}

void SpriteSystemFrame(benchmark::State& state) {
    g_currentDevice = MakeDevice();
    Publish();
    {
        KV_FlowConstructor flow;
        Configure(flow);
        AnimatedTexture<ParticleGeomArray> geometry(flow);
        geometry.BindCount();
        float t = 0.0f;
        for (auto _ : state) {
            t += 1.0f / 60.0f;
            geometry.Update(t);
            geometry.FillVertexBuffer(flow);
        }
    }
    g_currentDevice->Release();
    g_currentDevice = nullptr;
}

// The same motion without rules, timers or colours: centre += velocity,
// then four corners per sprite through one lock.
void PlainVertexLoop(benchmark::State& state) {
    g_currentDevice = MakeDevice();
    IDirect3DVertexBuffer9* buffer = nullptr;
    g_currentDevice->CreateVertexBuffer(4 * kSprites * sizeof(DX_V::PCT), D3DUSAGE_WRITEONLY, DX_V::PCT::FVF,
                                        D3DPOOL_MANAGED, &buffer, nullptr);
    struct Sprite {
        float x, y, vx, vy;
    };
    std::vector<Sprite> sprites(kSprites);
    for (UINT i = 0; i < kSprites; ++i)
        sprites[i] = {static_cast<float>(i % 1920), static_cast<float>(i % 1080), 60.0f, -100.0f};
    const float dt = 1.0f / 60.0f, half = 8.0f;
    for (auto _ : state) {
        void* locked = nullptr;
        buffer->Lock(0, 0, &locked, 0);
        auto* v = static_cast<DX_V::PCT*>(locked);
        for (Sprite& s : sprites) {
            s.x += dt * s.vx;
            s.y += dt * s.vy;
            if (s.y < 0.0f)
                s.y += 1080.0f;
            const float corners[4][4] = {{-half, half, 0, 1}, {-half, -half, 0, 0}, {half, half, 1, 1}, {half, -half, 1, 0}};
            for (const auto& c : corners)
                *v++ = {s.x + c[0], s.y + c[1], 0.0f, 0xFFFFFFFF, c[2], c[3]};
        }
        buffer->Unlock();
        benchmark::DoNotOptimize(sprites.data());
    }
    buffer->Release();
    g_currentDevice->Release();
    g_currentDevice = nullptr;
}

}  // namespace

BENCHMARK(SpriteSystemFrame)->Unit(benchmark::kMicrosecond);
BENCHMARK(PlainVertexLoop)->Unit(benchmark::kMicrosecond);

BENCHMARK_MAIN();
