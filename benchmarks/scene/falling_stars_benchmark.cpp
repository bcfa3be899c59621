// Falling stars at 1920 x 1080 with their trails at the 16384 particles a
// batch holds: one frame updated and filled, and one frame updated, filled
// and drawn (four batches in two mask passes, then the composite over the
// captured scene), each finished on the GPU. Stars of 24 pixels with trails
// of a fifth of that, glows twice their cores. The counter "rebuilt" counts
// frames in which a batch had to make new buffers: 0 in steady state.
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include <benchmark/benchmark.h>
#include <epoxy/gl.h>

#include <d3d9.h>
#include <d3dx9.h>
#include <windows.h>

#include "particles/generators/falling_stars.h"
#include "particles/generators/particles_obj.h"
#include "scene/light/kv_2d_light.h"
#include "benchmarks/d3d9/window_device.h"
#include "benchmarks/support/picture_layer.h"
#include "scene/render/current_device.h"
#include "scene/render/view_context.h"
#include "scene/resources/kv_docresmanager.h"

namespace {

constexpr UINT kWidth = 1920, kHeight = 1080;

IDirect3DDevice9* MakeDevice() {
    IDirect3D9* direct3D = Direct3DCreate9(D3D_SDK_VERSION);
    IDirect3DDevice9* device = CreateBenchmarkDevice(direct3D, MakeBenchmarkWindow(kWidth, kHeight), kWidth, kHeight);
    direct3D->Release();
    return device;
}

// The layer with a picture of the back buffer's size.

struct Scene {
    Scene() {
        g_currentDevice = MakeDevice();
        g_currentRenderContext = &context;
        g_currentDocResManager = manager.get();
        picture = MakePatternTexture(kWidth, kHeight, 0xFF4080C0);
        light->Show(picture, kWidth, kHeight);
        KV_FallingStars stars;
        stars.region.SetCentred(D3DXVECTOR3(960, 540, 0), 1920, 1080);
        stars.starSpeed.StoreAndNotify(25);
        stars.starRate.StoreAndNotify(5000);
        stars.starSize.Value() = 24;
        stars.glowScale.StoreAndNotify(25);
        stars.holdTime.StoreAndNotify(300);
        stars.fadeInTime.StoreAndNotify(20);
        stars.fadeOutTime.StoreAndNotify(50);
        stars.lifetime.StoreAndNotify(200);
        stars.emissionRate.StoreAndNotify(500);
        stars.sizeParam.StoreAndNotify(20);
        stars.initialSpeed.StoreAndNotify(20);
        stars.emissionSwitch.Value() = 1;
        LinkEffect(stars);
        for (int i = 0; i < 4; ++i)
            LinkImage(stars, i);
        object = static_cast<KV_ParticlesObj*>(stars.CreateObject().release());
        objects.emplace_back(object);
        // Until the trails are full, then ten seconds more for the stars.
        while (static_cast<KV_FallingStars&>(object->Generator()).particles.size() <
               KV_ParticleGenerator::kMaxParticles)
            Update();
        for (int i = 0; i < 300; ++i)
            Update();
    }
    ~Scene() {
        objects.clear();
        light.reset();
        manager.reset();
        picture->Release();
        for (IDirect3DTexture9* image : images)
            image->Release();
        g_currentDocResManager = nullptr;
        g_currentRenderContext = nullptr;
        g_renderTargetSizeStack.clear();
        g_currentDevice->Release();
        g_currentDevice = nullptr;
    }

    void LinkEffect(KV_FallingStars& stars) {
        std::ifstream file(PARTICLE_EFFECT_FILE, std::ios::binary);
        const std::string text((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
        ID3DXEffect* effect = nullptr;
        D3DXCreateEffect(g_currentDevice, text.data(), static_cast<UINT>(text.size()), nullptr, nullptr, 0, nullptr,
                         &effect, nullptr);
        const ResourceKey key{L"particles.fx", 1};
        manager->Tables().effects[key].Reset(effect);
        stars.effectLink.SetKey(key);
    }
    void LinkImage(KV_FallingStars& stars, int i) {
        const ResourceKey key{L"star" + std::to_wstring(i) + L".png", i};
        images.push_back(MakePatternTexture(32, 32, 0xC0FFFFFF));
        manager->Tables().sequences[key].AppendFrame(images.back());
        stars.images.emplace_back(KV_FileLink3::FromKey(key));
    }

    // One 30 Hz frame; whether a batch made new buffers.
    bool Update() {
        std::vector<IDirect3DVertexBuffer9*> before;
        for (const KV_IndexedMesh& batch : object->Batches())
            before.push_back(batch.vertexBuffer.Get());
        t += 1.0f / 30.0f;
        object->Update(t);
        for (size_t i = 0; i < before.size(); ++i)
            if (object->Batches()[i].vertexBuffer.Get() != before[i])
                return true;
        return false;
    }
    void Draw() {
        g_currentDevice->BeginScene();
        light->BeginSceneCapture();
        light->RenderBackground(0);
        light->RenderObjects(objects, 1);
        light->DrawBorders(0);
        g_currentDevice->EndScene();
    }

    ViewContext context;
    std::unique_ptr<KV_DocResManager> manager = std::make_unique<KV_DocResManager>();
    std::unique_ptr<PictureLight> light = std::make_unique<PictureLight>();
    IDirect3DTexture9* picture = nullptr;
    std::vector<IDirect3DTexture9*> images;
    std::vector<CountedRef<KV_ABObj>> objects;
    KV_ParticlesObj* object = nullptr;
    float t = 0;
};

void Run(benchmark::State& state, bool draw) {
    Scene scene;
    int rebuilt = 0;
    for (auto _ : state) {
        rebuilt += scene.Update() ? 1 : 0;
        if (draw)
            scene.Draw();
        glFinish();
    }
    state.counters["rebuilt"] = rebuilt;
    state.counters["trail"] = static_cast<double>(static_cast<KV_FallingStars&>(scene.object->Generator()).particles.size());
    state.counters["stars"] = static_cast<double>(static_cast<KV_FallingStars&>(scene.object->Generator()).origins.size());
}

void UpdateAndFill(benchmark::State& state) { Run(state, false); }
void UpdateFillAndDraw(benchmark::State& state) { Run(state, true); }

}  // namespace

BENCHMARK(UpdateAndFill)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(UpdateFillAndDraw)->Unit(benchmark::kMillisecond)->UseRealTime();

BENCHMARK_MAIN();
