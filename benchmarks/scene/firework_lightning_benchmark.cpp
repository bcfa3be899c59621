// A firework at the 16384 quads a batch holds (a burst of 400 sparks whose
// trails fill the rest) and a bolt of 8 passes with 8 branches a level, at
// 1920 x 1080:
//   UpdateAndFill   the frame's update and its fill of the batches (CPU);
//   Rebuild         a new bolt (CPU);
//   Frame           update, fill and the draw (two mask passes, then the
//                   composite over the captured picture), finished by the
//                   driver; FrameDrawn times the draw alone;
//   PassesInRawGl   the same passes with the same quads in raw GL: the
//                   batches uploaded, the picture into a target, cores and
//                   glows into two more with a max blend, the effect's own
//                   "Main" into the back buffer.
// Counters, per frame: "allocations" made by the update, "fillAllocations"
// by the fill alone, "drawAllocations" by the draw (on this thread, after
// the driver's first frames), and "rebuilt" frames in which a batch made
// new buffers. On a shared machine compare them
// interleaved:
//     firework_lightning_benchmark --benchmark_repetitions=6
//         --benchmark_enable_random_interleaving=true
#include <cstdlib>
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

#include "benchmarks/d3d9/window_device.h"
#include "benchmarks/support/allocation_count.h"
#include "benchmarks/support/picture_layer.h"
#include "particles/generators/firework.h"
#include "particles/generators/lightning.h"
#include "particles/generators/particles_obj.h"
#include "scene/light/kv_2d_light.h"
#include "scene/render/current_device.h"
#include "scene/render/view_context.h"
#include "scene/resources/kv_docresmanager.h"

namespace {

constexpr UINT kWidth = 1920, kHeight = 1080;
enum Kind { kFirework = 0, kBolt = 1 };

std::string ParticleEffectText()
{
    std::ifstream file(PARTICLE_EFFECT_FILE, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
}

// A burst that lasts: shown at once for a long time, its trails a second.
KV_FireworkSimple Firework()
{
    KV_FireworkSimple firework;
    firework.centre.Value() = D3DXVECTOR3(960, 540, 0);
    firework.sparkCount.Value() = 400;
    firework.sparkSize.Value() = 12;
    firework.burstSpeed.StoreAndNotify(25);
    firework.glowScale.StoreAndNotify(50);
    firework.originSpeed.StoreAndNotify(50);
    firework.lifetime.StoreAndNotify(100);
    firework.emissionRate.StoreAndNotify(40);
    firework.sizeParam.StoreAndNotify(5);
    firework.initialSpeed.StoreAndNotify(10);
    firework.emissionSwitch.Value() = 1;
    KV_TimeLineControl& timeLine = firework.TimeLine();
    timeLine.mode.Value() = KV_TimeLineControl::kModeCycle;
    timeLine.fadeIn.StoreAndNotify(0);
    timeLine.fadeOut.StoreAndNotify(0);
    timeLine.visibleRange.minimum.Value() = 100000;
    return firework;
}

KV_LightningGN Bolt()
{
    KV_LightningGN bolt;
    bolt.endPoint1.Value() = D3DXVECTOR3(960, 0, 0);
    bolt.endPoint2.Value() = D3DXVECTOR3(900, 1000, 0);
    bolt.passes.Value() = 8;
    bolt.branches.Value() = bolt.subBranches.Value() = bolt.subSubBranches.Value() = 8;
    bolt.displacement.StoreAndNotify(50);
    bolt.branchLength.StoreAndNotify(50);
    bolt.branchAngle.StoreAndNotify(30);
    bolt.tipWidth.StoreAndNotify(60);
    bolt.coreWidth.Value() = 6;
    bolt.glowWidth.Value() = 30;
    bolt.flicker.StoreAndNotify(30);
    bolt.seed.Value() = 7;
    return bolt;
}

// The device, the layer with a picture of the back buffer's size, and
// the one object, updated until it is full.
struct Scene {
    explicit Scene(Kind kind)
    {
        IDirect3D9* direct3D = Direct3DCreate9(D3D_SDK_VERSION);
        g_currentDevice = CreateBenchmarkDevice(direct3D, MakeBenchmarkWindow(kWidth, kHeight), kWidth, kHeight);
        direct3D->Release();
        MakeRenderContextCurrent(&context);
        g_currentDocResManager = manager.get();
        picture = MakePatternTexture(kWidth, kHeight, 0xFF4080C0);
        spark = MakePatternTexture(32, 32, 0xC0FFFFFF);
        light->Show(picture, kWidth, kHeight);
        KV_FireworkSimple firework = Firework();
        KV_LightningGN bolt = Bolt();
        KV_TexParticleGenerator& description =
            kind == kFirework ? static_cast<KV_TexParticleGenerator&>(firework) : bolt;
        LinkResources(description);
        object = static_cast<KV_ParticlesObj*>(description.CreateObject().release());
        objects.emplace_back(object);
        for (int i = 0; kind == kFirework && i < 300 &&
                        Generator<KV_FireworkSimple>().particles.size() < KV_ParticleGenerator::kMaxParticles;
             ++i)
            Update();
        for (int i = 0; i < 30; ++i)
            Update();
    }
    ~Scene()
    {
        objects.clear();
        light.reset();
        manager.reset();
        picture->Release();
        spark->Release();
        g_currentDocResManager = nullptr;
        MakeRenderContextCurrent(nullptr);
        g_renderTargetSizeStack.clear();
        g_currentDevice->Release();
        g_currentDevice = nullptr;
    }

    void LinkResources(KV_TexParticleGenerator& generator)
    {
        const std::string text = ParticleEffectText();
        ID3DXEffect* effect = nullptr;
        D3DXCreateEffect(g_currentDevice, text.data(), static_cast<UINT>(text.size()), nullptr, nullptr, 0, nullptr,
                         &effect, nullptr);
        const ResourceKey effectKey{L"particles.fx", 1}, sparkKey{L"spark.png", 2};
        manager->Tables().effects[effectKey].Reset(effect);
        generator.effectLink.SetKey(effectKey);
        TextureSequence& sequence = manager->Tables().sequences[sparkKey];
        sequence.AppendFrame(spark);
        sequence.width = sequence.height = 32;
        generator.images.emplace_back(KV_FileLink3::FromKey(sparkKey));
    }

    template <class T>
    T& Generator()
    {
        return static_cast<T&>(object->Generator());
    }

    // One 30 Hz frame through the time line, adding up what it allocated;
    // whether a batch made new buffers.
    bool Update(long* allocations = nullptr)
    {
        std::vector<IDirect3DVertexBuffer9*> before;
        for (const KV_IndexedMesh& batch : object->Batches())
            before.push_back(batch.vertexBuffer.Get());
        t += 1.0f / 30.0f;
        const long made = CountAllocations([&] { object->Advance(t); });
        if (allocations)
            *allocations += made;
        for (size_t i = 0; i < before.size(); ++i)
            if (object->Batches()[i].vertexBuffer.Get() != before[i])
                return true;
        return false;
    }
    void Draw()
    {
        g_currentDevice->BeginScene();
        light->BeginSceneCapture();
        light->RenderBackground(0);
        light->RenderObjects(objects, 1);
        light->DrawBorders(0);
        g_currentDevice->EndScene();
    }
    // The batches' drawn vertices, as the last fill left them.
    std::vector<std::vector<DX_V::PCT>> Vertices()
    {
        std::vector<std::vector<DX_V::PCT>> out;
        for (size_t i = 0; i < object->Batches().size(); ++i) {
            const KV_IndexedMesh& batch = object->Batches()[i];
            void* locked = nullptr;
            batch.vertexBuffer->Lock(0, 0, &locked, D3DLOCK_READONLY);
            const auto* first = static_cast<const DX_V::PCT*>(locked);
            out.emplace_back(first, first + 4 * object->QuadCounts()[i]);
            batch.vertexBuffer->Unlock();
        }
        return out;
    }

    ViewContext context;
    std::unique_ptr<KV_DocResManager> manager = std::make_unique<KV_DocResManager>();
    std::unique_ptr<PictureLight> light = std::make_unique<PictureLight>();
    IDirect3DTexture9* picture = nullptr;
    IDirect3DTexture9* spark = nullptr;
    std::vector<CountedRef<KV_ABObj>> objects;
    KV_ParticlesObj* object = nullptr;
    float t = 0;
};

void CountQuads(benchmark::State& state, const Scene& scene)
{
    const std::vector<UINT>& counts = scene.object->QuadCounts();
    state.counters["cores"] = counts[0];
    state.counters["glows"] = counts[1];
}

void UpdateAndFill(benchmark::State& state)
{
    Scene scene(static_cast<Kind>(state.range(0)));
    long allocations = 0, fillAllocations = 0;
    int rebuilt = 0;
    for (auto _ : state)
        rebuilt += scene.Update(&allocations) ? 1 : 0;
    for (int i = 0; i < 30; ++i)
        fillAllocations += CountAllocations([&] {
            if (state.range(0) == kFirework)
                scene.Generator<KV_FireworkSimple>().FillQuads(*scene.object);
            else
                scene.Generator<KV_LightningGN>().FillBatches(*scene.object);
        });
    const double frames = static_cast<double>(state.iterations());
    state.counters["allocations"] = static_cast<double>(allocations) / frames;
    state.counters["fillAllocations"] = static_cast<double>(fillAllocations) / 30;
    state.counters["rebuilt"] = rebuilt;
    CountQuads(state, scene);
}
BENCHMARK(UpdateAndFill)->Arg(kFirework)->Arg(kBolt)->Unit(benchmark::kMillisecond);

void Rebuild(benchmark::State& state)
{
    Scene scene(kBolt);
    KV_LightningGN& bolt = scene.Generator<KV_LightningGN>();
    for (auto _ : state)
        bolt.RebuildBolt();
    state.counters["points"] = static_cast<double>(BoltSegmentCount(bolt.bolt) + BoltEndCount(bolt.bolt) / 2);
}
BENCHMARK(Rebuild)->Unit(benchmark::kMicrosecond);

// Range 1: the update paused, the draw alone timed.
void Frame(benchmark::State& state)
{
    Scene scene(static_cast<Kind>(state.range(0)));
    const bool drawOnly = state.range(1) == 1;
    // The driver compiles its programs for these passes in the first frames.
    for (int i = 0; i < 3; ++i) {
        scene.Update();
        scene.Draw();
        glFinish();
    }
    long drawAllocations = 0;
    for (auto _ : state) {
        if (drawOnly)
            state.PauseTiming();
        scene.Update();
        if (drawOnly)
            state.ResumeTiming();
        drawAllocations += CountAllocations([&] { scene.Draw(); });
        glFinish();
    }
    state.counters["drawAllocations"] = static_cast<double>(drawAllocations) / static_cast<double>(state.iterations());
    CountQuads(state, scene);
}
BENCHMARK(Frame)->ArgsProduct({{kFirework, kBolt}, {0, 1}})->UseRealTime()->Unit(benchmark::kMillisecond);

constexpr char kDeclarations[] =
    "#version 330 core\nin vec4 diffuseColour;\nin vec4 texCoord0;\nout vec4 fragColour;\nuniform bool Texture1;\n"
    "uniform sampler2D Sampler1;\nuniform sampler2D Sampler2;\nuniform sampler2D Sampler3;\n";

// Picture pixels to the target, as the layer lays the picture over it.
constexpr char kVertexProgram[] =
    "#version 330 core\nlayout(location = 0) in vec3 position;\nlayout(location = 1) in vec4 colour;\n"
    "layout(location = 2) in vec2 uv;\nout vec4 diffuseColour;\nout vec4 texCoord0;\n"
    "void main() { gl_Position = vec4(position.x / 960.0 - 1.0, 1.0 - position.y / 540.0, 0.0, 1.0);\n"
    "diffuseColour = colour; texCoord0 = vec4(uv, 0.0, 1.0); }\n";

// The fragment code of one of the effect's techniques.
std::string FragmentOf(const std::string& effect, const std::string& technique)
{
    const size_t at = effect.find("technique " + technique + "\n");
    const size_t start = effect.find("fragment\n", at) + 9;
    const size_t end = effect.find("\n        end", start);
    return kDeclarations + effect.substr(start, end - start) + "\n";
}

GLuint Program(const std::string& fragment)
{
    const auto shader = [](GLenum type, const std::string& source) {
        const GLuint name = glCreateShader(type);
        const char* text = source.c_str();
        glShaderSource(name, 1, &text, nullptr);
        glCompileShader(name);
        return name;
    };
    const GLuint program = glCreateProgram();
    glAttachShader(program, shader(GL_VERTEX_SHADER, kVertexProgram));
    glAttachShader(program, shader(GL_FRAGMENT_SHADER, fragment));
    glLinkProgram(program);
    glUseProgram(program);
    for (int i = 0; i < 3; ++i)
        glUniform1i(glGetUniformLocation(program, ("Sampler" + std::to_string(i + 1)).c_str()), i);
    glUniform1i(glGetUniformLocation(program, "Texture1"), 1);
    return program;
}

GLuint Texture(UINT w, UINT h)
{
    GLuint texture = 0;
    glGenTextures(1, &texture);
    glBindTexture(GL_TEXTURE_2D, texture);
    std::vector<uint32_t> texels(w * h, 0xC0FFFFFF);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, static_cast<GLsizei>(w), static_cast<GLsizei>(h), 0, GL_BGRA,
                 GL_UNSIGNED_INT_8_8_8_8_REV, texels.data());
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAX_LEVEL, 0);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
    return texture;
}

// A target with its texture.
struct Target {
    Target() : texture(Texture(kWidth, kHeight))
    {
        glGenFramebuffers(1, &framebuffer);
        glBindFramebuffer(GL_FRAMEBUFFER, framebuffer);
        glFramebufferTexture2D(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_TEXTURE_2D, texture, 0);
    }
    ~Target()
    {
        glDeleteFramebuffers(1, &framebuffer);
        glDeleteTextures(1, &texture);
    }
    GLuint texture;
    GLuint framebuffer = 0;
};

// Vertices of the particle layout in a buffer of their own, with the
// quads' indices.
struct Batch {
    Batch(const std::vector<DX_V::PCT>& drawn, GLuint indices) : vertices(drawn)
    {
        glGenVertexArrays(1, &vertexArray);
        glBindVertexArray(vertexArray);
        glGenBuffers(1, &buffer);
        glBindBuffer(GL_ARRAY_BUFFER, buffer);
        glBufferData(GL_ARRAY_BUFFER, static_cast<GLsizeiptr>(Bytes()), vertices.data(), GL_DYNAMIC_DRAW);
        const auto stride = static_cast<GLsizei>(sizeof(DX_V::PCT));
        glEnableVertexAttribArray(0);
        glVertexAttribPointer(0, 3, GL_FLOAT, GL_FALSE, stride, nullptr);
        glEnableVertexAttribArray(1);
        glVertexAttribPointer(1, GL_BGRA, GL_UNSIGNED_BYTE, GL_TRUE, stride, reinterpret_cast<void*>(12));
        glEnableVertexAttribArray(2);
        glVertexAttribPointer(2, 2, GL_FLOAT, GL_FALSE, stride, reinterpret_cast<void*>(16));
        glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, indices);
    }
    ~Batch()
    {
        glDeleteBuffers(1, &buffer);
        glDeleteVertexArrays(1, &vertexArray);
    }
    size_t Bytes() const { return vertices.size() * sizeof(DX_V::PCT); }
    void Upload() const
    {
        glBindBuffer(GL_ARRAY_BUFFER, buffer);
        glBufferSubData(GL_ARRAY_BUFFER, 0, static_cast<GLsizeiptr>(Bytes()), vertices.data());
    }
    void Draw() const
    {
        glBindVertexArray(vertexArray);
        glDrawElements(GL_TRIANGLES, static_cast<GLsizei>(vertices.size() / 4 * 6), GL_UNSIGNED_SHORT, nullptr);
    }
    std::vector<DX_V::PCT> vertices;
    GLuint vertexArray = 0;
    GLuint buffer = 0;
};

// The picture's area as one quad of the particle layout.
std::vector<DX_V::PCT> WholeTarget()
{
    const float w = kWidth, h = kHeight;
    return {{0, h, 0, 0xFFFFFFFF, 0, 1}, {0, 0, 0, 0xFFFFFFFF, 0, 0}, {w, h, 0, 0xFFFFFFFF, 1, 1},
            {w, 0, 0, 0xFFFFFFFF, 1, 0}};
}

void PassesInRawGl(benchmark::State& state)
{
    Scene scene(static_cast<Kind>(state.range(0)));
    const std::vector<std::vector<DX_V::PCT>> drawn = scene.Vertices();
    g_currentDevice->Clear(0, nullptr, D3DCLEAR_TARGET, 0, 1.f, 0);
    GLint backBuffer = 0;
    glGetIntegerv(GL_DRAW_FRAMEBUFFER_BINDING, &backBuffer);
    {
        std::vector<GLushort> quadIndices;
        for (GLushort v = 0; quadIndices.size() < 6 * KV_ParticlesObj::kMaxBatchQuads; v = GLushort(v + 4))
            quadIndices.insert(quadIndices.end(), {v, GLushort(v + 1), GLushort(v + 2), GLushort(v + 2),
                                                   GLushort(v + 1), GLushort(v + 3)});
        GLuint indices = 0;
        glGenBuffers(1, &indices);
        glBindVertexArray(0);
        glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, indices);
        glBufferData(GL_ELEMENT_ARRAY_BUFFER, static_cast<GLsizeiptr>(quadIndices.size() * sizeof(GLushort)),
                     quadIndices.data(), GL_STATIC_DRAW);
        std::vector<std::unique_ptr<Batch>> batches;
        for (const std::vector<DX_V::PCT>& vertices : drawn)
            batches.push_back(std::make_unique<Batch>(vertices, indices));
        const Batch whole(WholeTarget(), indices);
        const Target captured, cores, glows;
        const GLuint picture = Texture(kWidth, kHeight), spark = Texture(32, 32);
        const std::string effect = ParticleEffectText();
        const GLuint copy = Program(std::string(kDeclarations) +
                                    "void main() { fragColour = texture(Sampler1, texCoord0.xy); }\n");
        const GLuint mask = Program(FragmentOf(effect, "BlendMask_Max"));
        const GLuint main = Program(FragmentOf(effect, "Main"));
        glDisable(GL_DEPTH_TEST);
        glDisable(GL_CULL_FACE);
        glDisable(GL_SCISSOR_TEST);
        glViewport(0, 0, kWidth, kHeight);
        glClearColor(0.f, 0.f, 0.f, 0.f);
        const auto bind = [](GLuint unit, GLuint texture) {
            glActiveTexture(GL_TEXTURE0 + unit);
            glBindTexture(GL_TEXTURE_2D, texture);
            glBindSampler(unit, 0);
        };
        for (auto _ : state) {
            for (const auto& batch : batches)
                batch->Upload();
            glDisable(GL_BLEND);
            glBindFramebuffer(GL_FRAMEBUFFER, captured.framebuffer);
            glClear(GL_COLOR_BUFFER_BIT);
            glUseProgram(copy);
            bind(0, picture);
            whole.Draw();
            glEnable(GL_BLEND);
            glBlendEquation(GL_MAX);
            glBlendFunc(GL_ONE, GL_ONE);
            glUseProgram(mask);
            bind(0, spark);
            glBindFramebuffer(GL_FRAMEBUFFER, cores.framebuffer);
            glClear(GL_COLOR_BUFFER_BIT);
            batches[0]->Draw();
            glBindFramebuffer(GL_FRAMEBUFFER, glows.framebuffer);
            glClear(GL_COLOR_BUFFER_BIT);
            batches[1]->Draw();
            glDisable(GL_BLEND);
            glBlendEquation(GL_FUNC_ADD);
            glBindFramebuffer(GL_FRAMEBUFFER, static_cast<GLuint>(backBuffer));
            glUseProgram(main);
            bind(0, captured.texture);
            bind(1, glows.texture);
            bind(2, cores.texture);
            whole.Draw();
            glFinish();
        }
        for (GLuint program : {copy, mask, main})
            glDeleteProgram(program);
        const GLuint textures[] = {picture, spark};
        glDeleteTextures(2, textures);
        glDeleteBuffers(1, &indices);
        glBindVertexArray(0);
    }
    CountQuads(state, scene);
}
BENCHMARK(PassesInRawGl)->Arg(kFirework)->Arg(kBolt)->UseRealTime()->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
