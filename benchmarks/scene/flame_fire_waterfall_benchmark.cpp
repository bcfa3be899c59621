// Three slides at 1920 x 1080 through the scene and its layer, each against
// the same passes issued as raw GL in the same run (same targets, draws and
// fragment programs, read from the project's effect files; no layer):
//   Flame      the flame layer distorting the scene, with one object that
//              reads it: the picture and the flames into a target, the
//              reader (waves over the whole picture) from it into the other
//              target, the distortion from that onto the back buffer;
//   FireCloud  a fire (its 8 x 8 grid) and clouds (2 x 2) blended over the
//              picture on the back buffer;
//   Waterfall  the waterfall's noise and four colour layers, each a draw of
//              its 2 x 2 grid blended over the picture.
// Range 0 times the whole frame, finished by the driver (real time). Range 1
// leaves the driver's finish out: its CPU column is the calling thread's
// time, the scene's and the layer's work and the driver's front end for the
// frame's calls; the twin's range 1 is that front end alone, so the
// difference is the engine's own CPU per frame. "allocations" counts what
// the frame allocates on this thread (the engine and the platform layer
// under it). On a shared machine compare
// the halves interleaved:
//     flame_fire_waterfall_benchmark --benchmark_repetitions=6
//         --benchmark_enable_random_interleaving=true
#include <array>
#include <memory>
#include <string>
#include <vector>

#include <benchmark/benchmark.h>
#include <epoxy/gl.h>

#include <d3d9.h>
#include <d3dx9.h>
#include <windows.h>

#include "benchmarks/d3d9/window_device.h"
#include "benchmarks/support/allocation_count.h"
#include "benchmarks/support/back_buffer_pixel.h"
#include "benchmarks/support/effect_programs.h"
#include "benchmarks/support/picture_layer.h"
#include "effects/lights/flame_light.h"
#include "effects/screenfx/cloud_fx.h"
#include "effects/screenfx/fire_fx.h"
#include "effects/screenfx/waterfall_fx.h"
#include "effects/screenfx/waves_fx.h"
#include "scene/model/abobj.h"
#include "scene/render/current_device.h"
#include "scene/render/view_context.h"
#include "scene/resources/kv_docresmanager.h"

namespace {

constexpr UINT kWidth = 1920, kHeight = 1080;
constexpr UINT kSide = 256;  // the flame, noise, fire and bump pictures
enum Slide { kFlame = 0, kFireCloud = 1, kWaterfall = 2 };
enum Timing { kWholeFrame = 0, kCalls = 1 };

// A picture's texels: the colour with a faint pattern over it, as
// MakePatternTexture paints it.
std::vector<uint32_t> PatternTexels(UINT w, UINT h, uint32_t colour)
{
    std::vector<uint32_t> texels(w * h);
    for (UINT y = 0; y < h; ++y)
        for (UINT x = 0; x < w; ++x)
            texels[y * w + x] = colour ^ ((x ^ y) & 0x1F);
    return texels;
}

constexpr uint32_t kPictureColour = 0xFF4080C0;
constexpr uint32_t kSmallColour = 0xC0FF8040;

// Placements in picture pixels: left, top, right, bottom.
constexpr std::array<float, 4> kFire = {200, 500, 1720, 1080};
constexpr std::array<float, 4> kClouds = {0, 0, 1920, 500};
constexpr std::array<float, 4> kWaterfallBand = {600, 0, 1320, 1080};

void Place(KV_FX_Constructor& effect, const std::array<float, 4>& r)
{
    const D3DXVECTOR3 corners[] = {{r[0], r[1], 0}, {r[0], r[3], 0}, {r[2], r[1], 0}, {r[2], r[3], 0}};
    for (size_t k = 0; k < 4; ++k)
        effect.placement.corners[k].SetValue(corners[k]);
}

// The slide's layer and objects through the scene, over a manager that
// holds the effects' text and the pictures under the links that name them.
struct EngineSlide {
    explicit EngineSlide(Slide slide)
    {
        IDirect3D9* direct3D = Direct3DCreate9(D3D_SDK_VERSION);
        g_currentDevice = CreateBenchmarkDevice(direct3D, MakeBenchmarkWindow(kWidth, kHeight), kWidth, kHeight);
        direct3D->Release();
        MakeRenderContextCurrent(&context);
        g_currentDocResManager = manager.get();
        const ResourceKey picture{L"picture.png", 1};
        StorePicture(picture, kWidth, kHeight, kPictureColour);
        for (const int id : {7, 8, 62, 93})
            StorePicture({kCommonModule, id}, kSide, kSide, kSmallColour);
        if (slide == kFlame) {
            auto flames = std::make_unique<KV_FlameLight>();
            flames->pictureLink.SetKey(picture);
            StoreEffect(flames->distortion.effectLink, "bump_distortion.fx");
            StoreEffect(flames->fire.effectLink, "fire.fx");
            flames->Create();
            layer = std::move(flames);
            auto waves = std::make_unique<KV_WavesFX>();
            waves->usesBackground.SetValue(1);
            StoreEffect(waves->effectLink, "waves.fx");
            Add(*waves);
        } else {
            auto plain = std::make_unique<KV_2D_Light>();
            plain->pictureLink.SetKey(picture);
            plain->Create();
            layer = std::move(plain);
        }
        layer->RestoreDeviceObjects();
        layer->Resize(kWidth, kHeight);
        if (slide == kFireCloud) {
            KV_FireFX fire;
            Place(fire, kFire);
            StoreEffect(fire.effectLink, "fire.fx");
            KV_CloudFX clouds;
            Place(clouds, kClouds);
            clouds.cloudLink.SetKey({kCommonModule, 8});
            clouds.speed.SetValue(100);
            StoreEffect(clouds.effectLink, "cloud.fx");
            Add(fire);
            Add(clouds);
        } else if (slide == kWaterfall) {
            KV_WaterfallFX waterfall;
            Place(waterfall, kWaterfallBand);
            waterfall.layerCount.SetValue(4);
            waterfall.noiseAmplitude.SetValue(60);
            waterfall.noiseLink.SetKey({kCommonModule, 8});
            waterfall.speed.SetValue(25);
            waterfall.directionAngle.SetValue(270);
            waterfall.directionStrength.SetValue(100);
            StoreEffect(waterfall.effectLink, "waterfall.fx");
            Add(waterfall);
        }
        for (auto& object : objects)
            readers += object->ReadsScene() ? 1 : 0;
        readers += layer->NeedsSceneTexture() ? 1 : 0;
    }
    ~EngineSlide()
    {
        objects.clear();
        layer->InvalidateDeviceObjects();
        layer.reset();
        manager.reset();
        for (IDirect3DTexture9* texture : textures)
            texture->Release();
        g_currentDocResManager = nullptr;
        MakeRenderContextCurrent(nullptr);
        g_renderTargetSizeStack.clear();
        g_currentDevice->Release();
        g_currentDevice = nullptr;
    }

    void StorePicture(const ResourceKey& key, UINT w, UINT h, uint32_t colour)
    {
        textures.push_back(MakePatternTexture(w, h, colour));
        TextureSequence& stored = manager->Tables().sequences[key];
        stored.AppendFrame(textures.back());
        stored.width = w;
        stored.height = h;
        stored.aspect = static_cast<float>(h) / static_cast<float>(w);
    }
    void StoreEffect(KV_FileLink3& link, const char* file)
    {
        const std::string text = ReadEffectFile(file);
        if (link.Key().name.empty())
            link.SetKey({L"effect.fx", static_cast<LONGLONG>(manager->Tables().entries.size() + 1)});
        ResourceEntry entry(static_cast<INT>(link.Key().stamp), link.Key().name);
        entry.SetBytes(static_cast<DWORD>(text.size()), reinterpret_cast<const BYTE*>(text.data()));
        manager->Tables().entries[link.Key()].push_back(entry);
    }
    // The description's runtime object, masked by a stored 512 x 512 mask.
    void Add(KV_FX_Constructor& description)
    {
        textures.push_back(MakePatternTexture(512, 512, 0xFFFFFFFF));
        textures.back()->AddRef();
        manager->GuidTextures()[description.maskKey].Reset(textures.back());
        objects.emplace_back(description.CreateObject().release());
    }

    // One frame as the slide show draws it.
    void Frame()
    {
        t += 1.0f / 30.0f;
        layer->FrameMove(t);
        for (auto& object : objects)
            object->Advance(t);
        g_currentDevice->BeginScene();
        if (readers > 0)
            layer->BeginSceneCapture();
        layer->RenderBackground(0);
        layer->RenderObjects(objects, readers);
        layer->DrawBorders(0);
        g_currentDevice->EndScene();
    }

    ViewContext context;
    std::unique_ptr<KV_DocResManager> manager = std::make_unique<KV_DocResManager>();
    std::unique_ptr<KV_2D_Light> layer;
    std::vector<CountedRef<KV_ABObj>> objects;
    std::vector<IDirect3DTexture9*> textures;
    int readers = 0;
    float t = 0.0f;
};

void Engine(benchmark::State& state)
{
    EngineSlide slide(static_cast<Slide>(state.range(0)));
    // The driver compiles its programs for these passes in the first frames.
    for (int i = 0; i < 3; ++i) {
        slide.Frame();
        glFinish();
    }
    const bool callsOnly = state.range(1) == kCalls;
    long allocations = 0;
    for (auto _ : state) {
        allocations += CountAllocations([&] { slide.Frame(); });
        if (callsOnly)
            state.PauseTiming();
        glFinish();
        if (callsOnly)
            state.ResumeTiming();
    }
    state.counters["allocations"] = static_cast<double>(allocations) / static_cast<double>(state.iterations());
    // What was timed must be the slide: the picture beside the effects (above
    // the flames), not the clear colour.
    const UINT y = state.range(0) == kFlame ? 200 : 520;
    if ((BackBufferPixel(g_currentDevice, 100, y) & 0xC0C0C0) != (kPictureColour & 0xC0C0C0))
        state.SkipWithError("the slide was not drawn");
}
BENCHMARK(Engine)
    ->ArgsProduct({{kFlame, kFireCloud, kWaterfall}, {kWholeFrame}})
    ->UseRealTime()
    ->Unit(benchmark::kMillisecond);
BENCHMARK(Engine)->ArgsProduct({{kFlame, kFireCloud, kWaterfall}, {kCalls}})->Unit(benchmark::kMicrosecond);

// A grid of cells over a clip-space rectangle, with texture coordinates
// spanning another, two triangles a cell; its vertex array bound to draw.
class ClipGrid {
public:
    // Clip x and y run from (left, top) to (right, bottom); uv from
    // (u0, v0) to (u1, v1).
    ClipGrid(int columns, int rows, std::array<float, 4> clip, std::array<float, 4> uv)
    {
        std::vector<float> vertices;
        for (int j = 0; j <= rows; ++j) {
            const float b = static_cast<float>(j) / static_cast<float>(rows);
            for (int i = 0; i <= columns; ++i) {
                const float a = static_cast<float>(i) / static_cast<float>(columns);
                vertices.insert(vertices.end(), {clip[0] + (clip[2] - clip[0]) * a, clip[1] + (clip[3] - clip[1]) * b,
                                                 uv[0] + (uv[2] - uv[0]) * a, uv[1] + (uv[3] - uv[1]) * b});
            }
        }
        std::vector<GLushort> indices;
        for (int j = 0; j < rows; ++j) {
            for (int i = 0; i < columns; ++i) {
                const auto c = static_cast<GLushort>(j * (columns + 1) + i);
                const auto d = static_cast<GLushort>(c + columns + 1);
                indices.insert(indices.end(), {c, static_cast<GLushort>(c + 1), d, d, static_cast<GLushort>(c + 1),
                                               static_cast<GLushort>(d + 1)});
            }
        }
        count_ = static_cast<GLsizei>(indices.size());
        glGenVertexArrays(1, &vertexArray_);
        glBindVertexArray(vertexArray_);
        glGenBuffers(2, buffers_);
        glBindBuffer(GL_ARRAY_BUFFER, buffers_[0]);
        glBufferData(GL_ARRAY_BUFFER, static_cast<GLsizeiptr>(vertices.size() * sizeof(float)), vertices.data(),
                     GL_STATIC_DRAW);
        glEnableVertexAttribArray(0);
        glVertexAttribPointer(0, 4, GL_FLOAT, GL_FALSE, 0, nullptr);
        glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, buffers_[1]);
        glBufferData(GL_ELEMENT_ARRAY_BUFFER, static_cast<GLsizeiptr>(indices.size() * sizeof(GLushort)),
                     indices.data(), GL_STATIC_DRAW);
    }
    ClipGrid(const ClipGrid&) = delete;
    ClipGrid& operator=(const ClipGrid&) = delete;
    ~ClipGrid()
    {
        glDeleteBuffers(2, buffers_);
        glDeleteVertexArrays(1, &vertexArray_);
    }

    void Draw() const
    {
        glBindVertexArray(vertexArray_);
        glDrawElements(GL_TRIANGLES, count_, GL_UNSIGNED_SHORT, nullptr);
    }

private:
    GLuint vertexArray_ = 0;
    GLuint buffers_[2] = {};
    GLsizei count_ = 0;
};

// A placement in picture pixels as clip space over the whole target.
std::array<float, 4> Clip(const std::array<float, 4>& r)
{
    return {r[0] / kWidth * 2 - 1, 1 - r[1] / kHeight * 2, r[2] / kWidth * 2 - 1, 1 - r[3] / kHeight * 2};
}
constexpr std::array<float, 4> kWholeClip = {-1, 1, 1, -1};
constexpr std::array<float, 4> kWholeUv = {0, 0, 1, 1};

// An effect technique's program with its samplers on texture units in the
// order the textures are bound, every texture parameter set.
struct Program {
    Program(const char* file, const char* technique, const std::vector<std::string>& units)
        : Program(ReadTechnique(ReadEffectFile(file), technique), units)
    {
    }
    Program(const FragmentProgram& fragment, const std::vector<std::string>& units) : name(Link(fragment))
    {
        glUseProgram(name);
        for (const std::string& texture : fragment.textures)
            glUniform1i(glGetUniformLocation(name, texture.c_str()), 1);
        for (const auto& [sampler, texture] : fragment.samplers) {
            for (size_t unit = 0; unit < units.size(); ++unit)
                if (units[unit] == texture)
                    glUniform1i(glGetUniformLocation(name, sampler.c_str()), static_cast<GLint>(unit));
        }
    }
    ~Program() { glDeleteProgram(name); }
    // In use, with the textures on units 0, 1, ...
    void Use(std::initializer_list<GLuint> textures) const
    {
        glUseProgram(name);
        GLenum unit = GL_TEXTURE0;
        for (GLuint texture : textures) {
            glActiveTexture(unit++);
            glBindTexture(GL_TEXTURE_2D, texture);
        }
    }
    GLuint name;
};

struct GlTarget {
    GlTarget() : texture(Texture(kWidth, kHeight, nullptr, GL_MIRRORED_REPEAT)), framebuffer(Framebuffer(texture)) {}
    ~GlTarget()
    {
        glDeleteFramebuffers(1, &framebuffer);
        glDeleteTextures(1, &texture);
    }
    GLuint texture, framebuffer;
};

void Blend(bool on)
{
    if (on)
        glEnable(GL_BLEND);
    else
        glDisable(GL_BLEND);
}

// The passes of each slide in raw GL into the device's back buffer.
void RawGl(benchmark::State& state)
{
    const auto slide = static_cast<Slide>(state.range(0));
    const bool callsOnly = state.range(1) == kCalls;
    IDirect3D9* direct3D = Direct3DCreate9(D3D_SDK_VERSION);
    HWND window = MakeBenchmarkWindow(kWidth, kHeight);
    IDirect3DDevice9* device = CreateBenchmarkDevice(direct3D, window, kWidth, kHeight);
    // Its context is current now, with its back buffer bound.
    device->Clear(0, nullptr, D3DCLEAR_TARGET, 0, 1.f, 0);
    GLint backBuffer = 0;
    glGetIntegerv(GL_DRAW_FRAMEBUFFER_BINDING, &backBuffer);
    {
        const std::vector<uint32_t> pictureTexels = PatternTexels(kWidth, kHeight, kPictureColour);
        const std::vector<uint32_t> smallTexels = PatternTexels(kSide, kSide, kSmallColour);
        const std::vector<uint32_t> maskTexels = PatternTexels(512, 512, 0xFFFFFFFF);
        const GLuint picture = Texture(kWidth, kHeight, &pictureTexels, GL_MIRRORED_REPEAT);
        const GLuint small = Texture(kSide, kSide, &smallTexels, GL_REPEAT);
        const GLuint mask = Texture(512, 512, &maskTexels, GL_CLAMP_TO_EDGE);
        const ClipGrid whole(1, 1, kWholeClip, kWholeUv);
        FragmentProgram copy;
        copy.source = "#version 330 core\nin vec4 texCoord0;\nout vec4 fragColour;\nuniform sampler2D Picture;\n"
                      "void main() { fragColour = texture(Picture, texCoord0.xy); }\n";
        const GLuint copyProgram = Link(copy);
        glDisable(GL_DEPTH_TEST);
        glDisable(GL_CULL_FACE);
        glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
        glViewport(0, 0, kWidth, kHeight);
        // The target cleared as the layer clears it, and the picture drawn.
        const auto drawPicture = [&](GLuint framebuffer) {
            glBindFramebuffer(GL_FRAMEBUFFER, framebuffer);
            glClearColor(0.94f, 0.06f, 1.f, 1.f);
            glClear(GL_COLOR_BUFFER_BIT);
            Blend(false);
            glUseProgram(copyProgram);
            glActiveTexture(GL_TEXTURE0);
            glBindTexture(GL_TEXTURE_2D, picture);
            whole.Draw();
            Blend(true);
        };
        const auto shown = static_cast<GLuint>(backBuffer);
        float t = 0.0f;
        const auto run = [&](auto frame) {
            for (auto _ : state) {
                t += 1.0f / 30.0f;
                frame();
                if (callsOnly)
                    state.PauseTiming();
                glFinish();
                if (callsOnly)
                    state.ResumeTiming();
            }
        };
        if (slide == kFlame) {
            const Program flames("fire.fx", "AsEffect", {"Noise", "Pattern"});
            const Program waves("waves.fx", "MainFX", {"Background", "Mask"});
            const Program distortion("bump_distortion.fx", "BumpmapDistortLow2", {"SceneTex", "Bumpmap"});
            const ClipGrid flameQuad(1, 1, {-1, 0.3f, 1, -1}, {0, 0, 1, 0.95f});
            const GlTarget first, second;
            run([&] {
                drawPicture(first.framebuffer);
                flames.Use({small, small});
                glUniform2f(glGetUniformLocation(flames.name, "c11"), 0.0f, 1.3f * t);
                flameQuad.Draw();
                glBindFramebuffer(GL_FRAMEBUFFER, second.framebuffer);
                glClearColor(0.f, 0.f, 0.f, 1.f);
                glClear(GL_COLOR_BUFFER_BIT);
                Blend(false);
                waves.Use({first.texture, mask});
                glUniform1f(glGetUniformLocation(waves.name, "time"), t);
                whole.Draw();
                glBindFramebuffer(GL_FRAMEBUFFER, shown);
                distortion.Use({second.texture, small});
                glUniform2f(glGetUniformLocation(distortion.name, "Offset"), 0.05f * t, -0.05f * t);
                whole.Draw();
            });
        } else if (slide == kFireCloud) {
            const Program fire("fire.fx", "Main", {"Noise", "Pattern", "Mask"});
            const Program clouds("cloud.fx", "Main", {"Background", "Mask"});
            const ClipGrid fireGrid(8, 8, Clip(kFire), {0, 0, 1, 1});
            const ClipGrid cloudGrid(2, 2, Clip(kClouds), kWholeUv);
            run([&] {
                drawPicture(shown);
                fire.Use({small, small, mask});
                glUniform2f(glGetUniformLocation(fire.name, "c11"), 0.0f, 1.3f * t);
                fireGrid.Draw();
                clouds.Use({small, mask});
                glUniform2f(glGetUniformLocation(clouds.name, "Velocity"), -0.1f * t, 0.0f);
                cloudGrid.Draw();
            });
        } else {
            const Program noise("waterfall.fx", "Noise", {"Background", "NoiseMap", "Mask"});
            const Program waves("waterfall.fx", "ColorWaves", {"Background", "NoiseMap", "Mask"});
            const ClipGrid band(2, 2, Clip(kWaterfallBand),
                                {kWaterfallBand[0] / kWidth, 0, kWaterfallBand[2] / kWidth, 1});
            run([&] {
                drawPicture(shown);
                noise.Use({picture, small, mask});
                glUniform2f(glGetUniformLocation(noise.name, "noise_shift"), 0.0f, -0.1f * t);
                band.Draw();
                waves.Use({picture, small, mask});
                for (int layer = 0; layer < 4; ++layer) {
                    glUniform2f(glGetUniformLocation(waves.name, "shift"), 0.0f, -0.1f * static_cast<float>(layer));
                    glUniform1f(glGetUniformLocation(waves.name, "transluency"), 0.25f * static_cast<float>(layer));
                    band.Draw();
                }
            });
        }
        glDeleteProgram(copyProgram);
        const GLuint textures[] = {picture, small, mask};
        glDeleteTextures(3, textures);
    }
    device->Release();
    DestroyWindow(window);
    direct3D->Release();
}
BENCHMARK(RawGl)
    ->ArgsProduct({{kFlame, kFireCloud, kWaterfall}, {kWholeFrame}})
    ->UseRealTime()
    ->Unit(benchmark::kMillisecond);
BENCHMARK(RawGl)->ArgsProduct({{kFlame, kFireCloud, kWaterfall}, {kCalls}})->Unit(benchmark::kMicrosecond);

}  // namespace
