// A slide with three masked screen effects at 1920 x 1080 (waves and a light
// over the picture, a copy that reads the scene), drawn by the background
// layer through the common module's effects, against the same passes with
// the same fragment programs in raw GL: the picture into a target, the two
// blended effects into it, the reader from it into a second target. On a
// shared machine compare them interleaved, with llvmpipe on one thread so
// that other loads move both alike:
//     LP_NUM_THREADS=1 screen_effects_benchmark --benchmark_repetitions=8
//         --benchmark_enable_random_interleaving=true
#include <cmath>
#include <memory>
#include <string>
#include <vector>

#include <benchmark/benchmark.h>
#include <epoxy/gl.h>

#include <d3d9.h>
#include <d3dx9.h>
#include <windows.h>

#include "benchmarks/d3d9/gl_strip.h"
#include "benchmarks/d3d9/window_device.h"
#include "benchmarks/support/effect_programs.h"
#include "effects/screenfx/background_copy.h"
#include "effects/screenfx/light_fx.h"
#include "effects/screenfx/waves_fx.h"
#include "scene/light/kv_2d_light.h"
#include "scene/model/abobj.h"
#include "scene/render/current_device.h"
#include "scene/render/view_context.h"
#include "scene/resources/kv_docresmanager.h"

namespace {

constexpr UINT kWidth = 1920, kHeight = 1080;
constexpr UINT kMaskSize = 512;

// The picture's texels, as large as the target, and each mask's: a disc
// of its own centre.
std::vector<uint32_t> PictureTexels()
{
    std::vector<uint32_t> texels(kWidth * kHeight);
    for (UINT y = 0; y < kHeight; ++y)
        for (UINT x = 0; x < kWidth; ++x)
            texels[y * kWidth + x] = 0xFF336699 ^ (x * 0x010203) ^ (y << 8);
    return texels;
}
std::vector<uint32_t> MaskTexels(float centreX, float centreY)
{
    std::vector<uint32_t> texels(kMaskSize * kMaskSize);
    for (UINT y = 0; y < kMaskSize; ++y) {
        for (UINT x = 0; x < kMaskSize; ++x) {
            const float dx = static_cast<float>(x) / kMaskSize - centreX, dy = static_cast<float>(y) / kMaskSize - centreY;
            texels[y * kMaskSize + x] = std::sqrt(dx * dx + dy * dy) < 0.3f ? 0xFFFFFFFF : 0x00000000;
        }
    }
    return texels;
}
const float kMaskCentres[3][2] = {{0.3f, 0.6f}, {0.7f, 0.3f}, {0.5f, 0.5f}};

IDirect3DTexture9* MakeTexture(IDirect3DDevice9* device, UINT width, UINT height, const std::vector<uint32_t>& texels)
{
    IDirect3DTexture9* texture = nullptr;
    device->CreateTexture(width, height, 1, 0, D3DFMT_A8R8G8B8, D3DPOOL_MANAGED, &texture, nullptr);
    D3DLOCKED_RECT locked{};
    texture->LockRect(0, &locked, nullptr, 0);
    for (UINT y = 0; y < height; ++y)
        std::copy_n(&texels[y * width], width,
                    reinterpret_cast<uint32_t*>(static_cast<BYTE*>(locked.pBits) + y * locked.Pitch));
    texture->UnlockRect(0);
    return texture;
}

class BenchLight : public KV_2D_Light {
public:
    void Show(IDirect3DTexture9* texture)
    {
        m_pictureQuad.SetPicture(TextureRecord(texture, kWidth, kHeight, 1.0f));
        RestoreDeviceObjects();
        Resize(kWidth, kHeight);
    }
};

void SlideThroughTheEngine(benchmark::State& state)
{
    IDirect3D9* direct3D = Direct3DCreate9(D3D_SDK_VERSION);
    HWND window = MakeBenchmarkWindow(kWidth, kHeight);
    IDirect3DDevice9* device = CreateBenchmarkDevice(direct3D, window, kWidth, kHeight);
    g_currentDevice = device;
    ViewContext context;
    MakeRenderContextCurrent(&context);
    {
        KV_DocResManager manager;
        g_currentDocResManager = &manager;
        KV_WavesFX waves;
        KV_LightFX light;
        KV_BackgroundCopy copy;
        copy.usesBackground.SetValue(1);
        copy.copyRect.extra1.SetValue(64);
        KV_FX_Constructor* kinds[] = {&waves, &light, &copy};
        const char* files[] = {"waves.fx", "light.fx", "background_copy.fx"};
        for (int k = 0; k < 3; ++k) {
            const std::string text = ReadEffectFile(files[k]);
            ResourceEntry entry(static_cast<INT>(kinds[k]->effectLink.Key().stamp), kCommonModule);
            entry.SetBytes(static_cast<DWORD>(text.size()), reinterpret_cast<const BYTE*>(text.data()));
            manager.Tables().entries[kinds[k]->effectLink.Key()].push_back(entry);
            manager.GuidTextures()[kinds[k]->maskKey].Reset(
                MakeTexture(device, kMaskSize, kMaskSize, MaskTexels(kMaskCentres[k][0], kMaskCentres[k][1])));
        }
        // Drawn from the last to the first: the reader last.
        std::vector<CountedRef<KV_ABObj>> objects;
        for (KV_FX_Constructor* kind : {kinds[2], kinds[1], kinds[0]})
            objects.emplace_back(kind->CreateObject().release());
        IDirect3DTexture9* picture = MakeTexture(device, kWidth, kHeight, PictureTexels());
        {
            BenchLight layer;
            layer.Show(picture);
            float t = 0.0f;
            for (auto _ : state) {
                t += 0.02f;
                for (auto& object : objects)
                    object->Advance(t);
                device->BeginScene();
                layer.BeginSceneCapture();
                layer.RenderBackground(0);
                layer.RenderObjects(objects, 1);
                layer.DrawBorders(0);
                device->EndScene();
                glFinish();
            }
            objects.clear();
            layer.InvalidateDeviceObjects();
        }
        picture->Release();
        g_currentDocResManager = nullptr;
    }
    MakeRenderContextCurrent(nullptr);
    g_currentDevice = nullptr;
    device->Release();
    DestroyWindow(window);
    direct3D->Release();
}
BENCHMARK(SlideThroughTheEngine)->UseRealTime()->Unit(benchmark::kMillisecond);

// One full-screen pass: the program with its textures bound (the scene to
// "Background", the mask to "Mask").
struct Pass {
    GLuint program;
    GLuint mask;
    GLuint scene;
    GLuint target;
    bool blended;
};

void SlideInRawGl(benchmark::State& state)
{
    IDirect3D9* direct3D = Direct3DCreate9(D3D_SDK_VERSION);
    HWND window = MakeBenchmarkWindow(16, 16);
    IDirect3DDevice9* device = CreateBenchmarkDevice(direct3D, window, 16, 16);
    device->Clear(0, nullptr, D3DCLEAR_TARGET, 0, 1.f, 0);  // its context is current now
    {
        const std::vector<uint32_t> pictureTexels = PictureTexels();
        const GLuint picture = Texture(kWidth, kHeight, &pictureTexels, GL_MIRRORED_REPEAT);
        const GLuint captured = Texture(kWidth, kHeight, nullptr, GL_MIRRORED_REPEAT);
        const GLuint shown = Texture(kWidth, kHeight, nullptr, GL_CLAMP_TO_EDGE);
        GLuint masks[3];
        for (int k = 0; k < 3; ++k) {
            const std::vector<uint32_t> texels = MaskTexels(kMaskCentres[k][0], kMaskCentres[k][1]);
            masks[k] = Texture(kMaskSize, kMaskSize, &texels, GL_CLAMP_TO_EDGE);
        }
        const GLuint captureTarget = Framebuffer(captured), shownTarget = Framebuffer(shown);
        FragmentProgram copyPicture;
        copyPicture.source = "#version 330 core\nin vec4 texCoord0;\nout vec4 fragColour;\nuniform sampler2D "
                             "BackgroundSampler;\nvoid main() { fragColour = texture(BackgroundSampler, "
                             "texCoord0.xy); }\n";
        copyPicture.samplers["BackgroundSampler"] = "Background";
        const FragmentProgram programs[] = {copyPicture, ReadTechnique(ReadEffectFile("waves.fx"), "Main"),
                                            ReadTechnique(ReadEffectFile("light.fx"), "Main"),
                                            ReadTechnique(ReadEffectFile("background_copy.fx"), "MainFX")};
        GLuint linked[4];
        for (int p = 0; p < 4; ++p) {
            linked[p] = Link(programs[p]);
            glUseProgram(linked[p]);
            for (const std::string& name : programs[p].textures)
                glUniform1i(glGetUniformLocation(linked[p], name.c_str()), 1);
            for (const auto& [sampler, texture] : programs[p].samplers)
                glUniform1i(glGetUniformLocation(linked[p], sampler.c_str()), texture == "Mask" ? 1 : 0);
            glUniform2f(glGetUniformLocation(linked[p], "Scale"), 1.0f, 1.0f);
        }
        const Pass passes[] = {{linked[0], 0, picture, captureTarget, false},
                               {linked[1], masks[0], picture, captureTarget, true},
                               {linked[2], masks[1], picture, captureTarget, true},
                               {linked[3], masks[2], captured, shownTarget, false}};
        const FullTargetStrip strip;
        glDisable(GL_DEPTH_TEST);
        glDisable(GL_CULL_FACE);
        glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
        glViewport(0, 0, kWidth, kHeight);
        float t = 0.0f;
        for (auto _ : state) {
            t += 0.02f;
            glBindFramebuffer(GL_FRAMEBUFFER, captureTarget);
            glClearColor(0.f, 0.f, 0.f, 1.f);
            glClear(GL_COLOR_BUFFER_BIT);
            for (const Pass& pass : passes) {
                glBindFramebuffer(GL_FRAMEBUFFER, pass.target);
                glUseProgram(pass.program);
                glUniform1f(glGetUniformLocation(pass.program, "time"), t);
                glActiveTexture(GL_TEXTURE1);
                glBindTexture(GL_TEXTURE_2D, pass.mask);
                glActiveTexture(GL_TEXTURE0);
                glBindTexture(GL_TEXTURE_2D, pass.scene);
                if (pass.blended)
                    glEnable(GL_BLEND);
                else
                    glDisable(GL_BLEND);
                strip.Draw();
            }
            glFinish();
        }
        for (GLuint program : linked)
            glDeleteProgram(program);
        const GLuint framebuffers[] = {captureTarget, shownTarget};
        glDeleteFramebuffers(2, framebuffers);
        const GLuint textures[] = {picture, captured, shown, masks[0], masks[1], masks[2]};
        glDeleteTextures(6, textures);
    }
    device->Release();
    DestroyWindow(window);
    direct3D->Release();
}
BENCHMARK(SlideInRawGl)->UseRealTime()->Unit(benchmark::kMillisecond);

}  // namespace
