// One frame of 200 falling leaves of a 500-face mesh and 10 butterflies at
// 1920 x 1080: the controllers and transforms alone, and with the drawing
// finished by the driver (real time, glFinish every frame).
#include <benchmark/benchmark.h>
#include <epoxy/gl.h>

#include <d3d9.h>
#include <windows.h>

#include <fstream>
#include <iterator>
#include <memory>
#include <vector>

#include "benchmarks/d3d9/window_device.h"
#include "particles/objects3d/kv_3d_in_2d_array_constructor.h"
#include "particles/objects3d/kv_butterfly_constructor.h"
#include "platform/sim_resources.h"
#include "scene/light/kv_2d_light.h"
#include "scene/model/abobj.h"
#include "scene/render/current_device.h"
#include "scene/render/view_context.h"
#include "scene/resources/kv_docresmanager.h"

namespace {

constexpr UINT kWidth = 1920, kHeight = 1080;

std::vector<BYTE> ResourceFile(const char* name) {
    std::ifstream file(std::string(OBJECTS3D_RESOURCES) + "/" + name, std::ios::binary);
    return std::vector<BYTE>(std::istreambuf_iterator<char>(file), {});
}

class PictureLight : public KV_2D_Light {
public:
    void Show(IDirect3DTexture9* texture) {
        m_pictureQuad.SetPicture(TextureRecord(texture, kWidth, kHeight, 1080.0f / 1920.0f));
        RestoreDeviceObjects();
        Resize(kWidth, kHeight);
    }
};

// The slide: its background layer, the resource manager and both objects.
struct Scene {
    Scene() {
        direct3D = Direct3DCreate9(D3D_SDK_VERSION);
        g_currentDevice = CreateBenchmarkDevice(direct3D, MakeBenchmarkWindow(kWidth, kHeight), kWidth, kHeight);
        g_currentDevice->CreateTexture(kWidth, kHeight, 1, 0, D3DFMT_A8R8G8B8, D3DPOOL_MANAGED, &picture, nullptr);
        MakeRenderContextCurrent(&context);
        g_currentDocResManager = &manager;
        const std::pair<int, const char*> defaults[] = {
            {6, "butterfly_body.png"}, {68, "butterfly_body.x"}, {69, "butterfly_wing.x"}};
        // The shared module is not installed here: its ids are found in
        // the program's own resources.
        for (const auto& [id, name] : defaults)
            platform::sim::SetOwnModuleResource(L"DDS", MAKEINTRESOURCEW(id), ResourceFile(name));
        light.Show(picture);

        KV_ButterflyConstructor butterflies;
        butterflies.instanceCount.Value() = 10;
        butterflies.texture.SetKey({L"common_res.dll", 6});
        this->butterflies = butterflies.CreateObject();

        const std::vector<BYTE> mesh = ResourceFile("leaf.x"), texture = ResourceFile("leaf.png");
        KV_3D_in_2D_array_Constructor leaves;
        leaves.instanceCount.Value() = 200;
        leaves.drift.size.Value() = 60;
        leaves.drift.sway.Value() = 30;
        leaves.drift.SetDirection(270);
        leaves.mesh.Assign(L"leaf.x", static_cast<DWORD>(mesh.size()), mesh.data());
        leaves.texture.Assign(L"leaf.png", static_cast<DWORD>(texture.size()), texture.data());
        this->leaves = leaves.CreateObject();
    }
    ~Scene() {
        butterflies.reset();
        leaves.reset();
        light.InvalidateDeviceObjects();
        g_currentDocResManager = nullptr;
        MakeRenderContextCurrent(nullptr);
        platform::sim::ResetOwnModuleResources();
        picture->Release();
        g_currentDevice->Release();
        g_currentDevice = nullptr;
        direct3D->Release();
    }

    void Update() {
        time += 0.03f;
        butterflies->Update(time);
        leaves->Update(time);
    }

    IDirect3D9* direct3D = nullptr;
    IDirect3DTexture9* picture = nullptr;
    ViewContext context;
    KV_DocResManager manager;
    PictureLight light;
    std::unique_ptr<KV_ABObj> butterflies, leaves;
    float time = 0.0f;
};

void UpdateControllersAndTransforms(benchmark::State& state) {
    Scene scene;
    for (auto _ : state)
        scene.Update();
}

void UpdateAndDrawFrame(benchmark::State& state) {
    Scene scene;
    for (auto _ : state) {
        scene.Update();
        g_currentDevice->Clear(0, nullptr, D3DCLEAR_TARGET, 0xFF000000, 1.0f, 0);
        g_currentDevice->BeginScene();
        scene.leaves->Render(scene.light);
        scene.butterflies->Render(scene.light);
        g_currentDevice->EndScene();
        glFinish();
    }
}

}  // namespace

BENCHMARK(UpdateControllersAndTransforms)->Unit(benchmark::kMillisecond);
BENCHMARK(UpdateAndDrawFrame)->Unit(benchmark::kMillisecond)->UseRealTime();

BENCHMARK_MAIN();
