// The sample's slide of effect-drawn sprites at 1920 x 1080, as the program
// carries it (built by the sample, written and read back as a document):
// two glowing bolts, each a scene reader with its glow target, an
// explosion and three texts, drawn by the background layer through the
// common module's effects; against the same passes with the same fragment
// programs, geometry and pictures in raw GL. And the objects' own CPU a
// frame with a bolt of 100 segments, updated and set up through a renderer
// that draws nothing, with the heap allocations they make counted. On a
// shared machine compare the two frames interleaved, with llvmpipe on one
// thread so that other loads move both alike:
//     LP_NUM_THREADS=1 effect_sprites_benchmark --benchmark_repetitions=8
//         --benchmark_enable_random_interleaving=true
#include <cstdlib>
#include <cstring>
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
#include "benchmarks/support/allocation_count.h"
#include "benchmarks/support/effect_programs.h"
#include "effects/text/text_constructors.h"
#include "particles/sprites/discharge_fx.h"
#include "particles/sprites/explosion.h"
#include "particles/sprites/fx_obj.h"
#include "particles/sprites/glowing_obj.h"
#include "resources/sample_scene/sample_music.h"
#include "resources/sample_scene/sample_slides.h"
#include "scene/document/scene_document.h"
#include "scene/document/writer/scene_document_writer.h"
#include "scene/light/picture_quad.h"
#include "scene/render/current_device.h"
#include "scene/render/render_target_pair.h"
#include "scene/render/vertex_formats.h"
#include "scene/render/view_context.h"
#include "scene/slideshow/kv_slideshow_light.h"

namespace {

constexpr UINT kWidth = 1920, kHeight = 1080;
constexpr float kPictureWidth = 1024.0f, kPictureHeight = 576.0f;

struct Machine {
    Machine()
    {
        direct3D = Direct3DCreate9(D3D_SDK_VERSION);
        window = MakeBenchmarkWindow(kWidth, kHeight);
        device = CreateBenchmarkDevice(direct3D, window, kWidth, kHeight);
        g_currentDevice = device;
        MakeRenderContextCurrent(&context);
    }
    ~Machine()
    {
        MakeRenderContextCurrent(nullptr);
        g_currentDevice = nullptr;
        device->Release();
        DestroyWindow(window);
        direct3D->Release();
    }

    IDirect3D9* direct3D;
    HWND window;
    IDirect3DDevice9* device;
    ViewContext context;
};

// The slide alone in a show of its own, read back from the document the
// sample writes; its first bolt given the count asked for (0: as built).
struct EffectSlide {
    explicit EffectSlide(unsigned boltSegments)
    {
        KV_DocResManager building;
        g_currentDocResManager = &building;
        KV_SlideShow_Light show;
        const std::vector<BYTE> noPicture;
        const SampleSounds noSounds;
        SampleScene scene{show, building, noPicture, noSounds};
        AddEffectSpritesSlide(scene);
        if (boltSegments > 0)
            static_cast<KV_DischargeFXConstructor&>(*show.slides[0]->drawnDescriptions[0]).count.SetValue(boltSegments);
        bytes = WriteSceneDocument(show, building);
        ResourceBuffer buffer(bytes.data(), bytes.size());
        document = ReadSceneDocument(buffer);
        g_currentDocResManager = document.manager.get();
        document.root->BuildSlides();
        document.root->SetPicturePosition(ViewContext::Fill);
    }
    ~EffectSlide()
    {
        document.root.reset();
        document.manager.reset();
        g_currentDocResManager = nullptr;
    }
    KV_SlideContainer& Slide() { return *document.root->slides.front(); }

    std::vector<BYTE> bytes;
    SceneDocument document;
};

// Frames at the show's pace; the slide's fade-in, and the programs the
// layer makes for the draws it meets first, are over before the timing.
constexpr float kFrameStep = 0.03f;
constexpr int kWarmUpFrames = 100;

void SlideThroughTheEngine(benchmark::State& state)
{
    setenv("SAVER_MODULE_PATH", SAVER_BUILD_DIR, 1);
    Machine machine;
    {
        EffectSlide effectSlide(0);
        KV_SlideShow_Light& show = *effectSlide.document.root;
        float t = 0.0f;
        const auto frame = [&] {
            t += kFrameStep;
            show.FrameMove(t);
            machine.device->BeginScene();
            show.Render(0);
            machine.device->EndScene();
        };
        for (int warmUp = 0; warmUp < kWarmUpFrames; ++warmUp)
            frame();
        glFinish();
        long allocations = 0;
        for (auto _ : state) {
            allocations += CountAllocations(frame);
            glFinish();
        }
        state.counters["allocations"] = benchmark::Counter(static_cast<double>(allocations), benchmark::Counter::kAvgIterations);
    }
}
BENCHMARK(SlideThroughTheEngine)->UseRealTime()->Unit(benchmark::kMillisecond);

// Draws nothing: what is left is the objects' own work.
class NoDraws : public KV_ABRender {
public:
    void Write(KV_IOF_Virtual&) const override {}
    void PushRenderTarget(const RenderTargetPair&, int) override {}
    void PopRenderTarget() override {}
    void DrawPT(const KV_SimpleMesh&, ID3DXEffect*) override {}
    void DrawIndexedPCT(const KV_IndexedMesh&, ID3DXEffect*) override {}
    TextureHolder& GetSceneTexture() override { return scene_; }
    const PictureQuad& GetPictureQuad() const override { return quad_; }
    UINT GetPictureWidth() const override { return 1024; }
    UINT GetPictureHeight() const override { return 576; }

private:
    TextureHolder scene_;
    PictureQuad quad_;
};

void ObjectsCpuWithAHundredSegmentBolt(benchmark::State& state)
{
    setenv("SAVER_MODULE_PATH", SAVER_BUILD_DIR, 1);
    Machine machine;
    {
        EffectSlide effectSlide(100);
        KV_SlideContainer& slide = effectSlide.Slide();
        NoDraws renderer;
        float t = 0.0f;
        long allocations = 0;
        for (auto _ : state) {
            t += kFrameStep;
            allocations += CountAllocations([&] {
                for (auto& object : slide.drawnObjects) {
                    object->Advance(t);
                    object->Render(renderer);
                }
            });
        }
        state.counters["allocations"] = benchmark::Counter(static_cast<double>(allocations), benchmark::Counter::kAvgIterations);
    }
}
BENCHMARK(ObjectsCpuWithAHundredSegmentBolt)->Unit(benchmark::kMicrosecond);

// ---- the raw-GL twin ----

// A texture's top level, 0xAARRGGBB, rows top first.
std::vector<uint32_t> Texels(IDirect3DTexture9* texture, UINT& width, UINT& height)
{
    D3DSURFACE_DESC desc{};
    texture->GetLevelDesc(0, &desc);
    width = desc.Width;
    height = desc.Height;
    std::vector<uint32_t> texels(static_cast<size_t>(width) * height);
    D3DLOCKED_RECT locked{};
    texture->LockRect(0, &locked, nullptr, D3DLOCK_READONLY);
    for (UINT y = 0; y < height; ++y)
        std::memcpy(&texels[static_cast<size_t>(y) * width], static_cast<const BYTE*>(locked.pBits) + y * locked.Pitch,
                    width * 4);
    texture->UnlockRect(0);
    return texels;
}

GLuint CopyTexture(IDirect3DTexture9* texture, GLint wrap)
{
    UINT width = 0, height = 0;
    const std::vector<uint32_t> texels = Texels(texture, width, height);
    return Texture(width, height, &texels, wrap);
}

// A vertex of the twin: clip-space position, texture coordinates, colour.
struct GlVertex {
    float x, y, u, v;
    uint32_t colour;
};

// The object's quads as it wrote them, in clip space.
std::vector<GlVertex> Quads(const ParticleGeomArray& geometry)
{
    std::vector<GlVertex> quads(geometry.vertexCount);
    void* locked = nullptr;
    geometry.vertexBuffer->Lock(0, 0, &locked, D3DLOCK_READONLY);
    const auto* vertices = static_cast<const DX_V::PCT*>(locked);
    for (UINT i = 0; i < geometry.vertexCount; ++i)
        quads[i] = {vertices[i].x / kPictureWidth * 2.0f - 1.0f, 1.0f - vertices[i].y / kPictureHeight * 2.0f,
                    vertices[i].u, vertices[i].v, vertices[i].diffuse};
    geometry.vertexBuffer->Unlock();
    return quads;
}

// One buffer of quads drawn as indexed triangles, uploaded again every
// frame before the drawing starts, as the engine writes its quads when its
// objects move.
class QuadBuffer {
public:
    explicit QuadBuffer(std::vector<GlVertex> quads) : quads_(std::move(quads))
    {
        std::vector<GLushort> indices;
        for (GLushort q = 0; q < quads_.size() / 4; ++q)
            for (GLushort k : {0, 1, 2, 2, 1, 3})
                indices.push_back(static_cast<GLushort>(4 * q + k));
        count_ = static_cast<GLsizei>(indices.size());
        glGenVertexArrays(1, &array_);
        glBindVertexArray(array_);
        glGenBuffers(1, &vertices_);
        glBindBuffer(GL_ARRAY_BUFFER, vertices_);
        glBufferData(GL_ARRAY_BUFFER, static_cast<GLsizeiptr>(quads_.size() * sizeof(GlVertex)), quads_.data(),
                     GL_DYNAMIC_DRAW);
        glEnableVertexAttribArray(0);
        glVertexAttribPointer(0, 4, GL_FLOAT, GL_FALSE, sizeof(GlVertex), nullptr);
        glEnableVertexAttribArray(1);
        glVertexAttribPointer(1, GL_BGRA, GL_UNSIGNED_BYTE, GL_TRUE, sizeof(GlVertex),
                              reinterpret_cast<const void*>(offsetof(GlVertex, colour)));
        glGenBuffers(1, &indices_);
        glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, indices_);
        glBufferData(GL_ELEMENT_ARRAY_BUFFER, static_cast<GLsizeiptr>(indices.size() * sizeof(GLushort)),
                     indices.data(), GL_STATIC_DRAW);
    }
    QuadBuffer(const QuadBuffer&) = delete;
    QuadBuffer& operator=(const QuadBuffer&) = delete;
    ~QuadBuffer()
    {
        glDeleteBuffers(1, &indices_);
        glDeleteBuffers(1, &vertices_);
        glDeleteVertexArrays(1, &array_);
    }

    // A new store each frame, as a dynamic buffer is renamed: the draws
    // still reading the last one do not hold this one up.
    void Upload() const
    {
        glBindBuffer(GL_ARRAY_BUFFER, vertices_);
        glBufferData(GL_ARRAY_BUFFER, static_cast<GLsizeiptr>(quads_.size() * sizeof(GlVertex)), quads_.data(),
                     GL_DYNAMIC_DRAW);
    }
    void Draw() const
    {
        glBindVertexArray(array_);
        glDrawElements(GL_TRIANGLES, count_, GL_UNSIGNED_SHORT, nullptr);
    }

private:
    std::vector<GlVertex> quads_;
    GLuint array_ = 0, vertices_ = 0, indices_ = 0;
    GLsizei count_ = 0;
};

// A technique's program with its texture switches and samplers set: the
// samplers take units in the order given.
GLuint Program(const char* file, const char* technique, const std::vector<std::string>& boundTextures)
{
    const FragmentProgram fragment = ReadTechnique(ReadEffectFile(file), technique);
    const GLuint program = Link(fragment);
    glUseProgram(program);
    for (const std::string& name : fragment.textures) {
        bool bound = false;
        for (const std::string& b : boundTextures)
            bound = bound || b == name;
        glUniform1i(glGetUniformLocation(program, name.c_str()), bound ? 1 : 0);
    }
    for (const auto& [sampler, texture] : fragment.samplers) {
        for (size_t unit = 0; unit < boundTextures.size(); ++unit)
            if (boundTextures[unit] == texture)
                glUniform1i(glGetUniformLocation(program, sampler.c_str()), static_cast<GLint>(unit));
    }
    return program;
}

void Bind(std::initializer_list<GLuint> textures)
{
    GLenum unit = GL_TEXTURE0;
    for (GLuint texture : textures) {
        glActiveTexture(unit++);
        glBindTexture(GL_TEXTURE_2D, texture);
    }
    glActiveTexture(GL_TEXTURE0);
}

void Blend(bool on, GLenum equation = GL_FUNC_ADD)
{
    if (on) {
        glEnable(GL_BLEND);
        glBlendEquation(equation);
        glBlendFunc(equation == GL_MAX ? GL_ONE : GL_SRC_ALPHA, equation == GL_MAX ? GL_ONE : GL_ONE_MINUS_SRC_ALPHA);
    } else {
        glDisable(GL_BLEND);
    }
}

void Target(GLuint framebuffer, GLsizei width, GLsizei height, bool clear)
{
    glBindFramebuffer(GL_FRAMEBUFFER, framebuffer);
    glViewport(0, 0, width, height);
    if (clear) {
        glClearColor(0.f, 0.f, 0.f, 0.f);
        glClear(GL_COLOR_BUFFER_BIT);
    }
}

void SlideInRawGl(benchmark::State& state)
{
    setenv("SAVER_MODULE_PATH", SAVER_BUILD_DIR, 1);
    Machine machine;
    {
        EffectSlide effectSlide(0);
        KV_SlideContainer& slide = effectSlide.Slide();
        effectSlide.document.root->FrameMove(0.5f);
        auto& bright = static_cast<KV_GlowingObj&>(*slide.drawnObjects[0]);
        auto& thin = static_cast<KV_GlowingObj&>(*slide.drawnObjects[1]);
        auto& explosion = static_cast<KV_FXObj&>(*slide.drawnObjects[2]);
        KV_DocResManager& manager = *effectSlide.document.manager;
        machine.device->Clear(0, nullptr, D3DCLEAR_TARGET, 0, 1.f, 0);  // its context is current now

        const GLuint picture = CopyTexture(manager.GetImage(slide.GetLight()->pictureLink).CurrentFrame(), GL_MIRRORED_REPEAT);
        const GLuint brightBolt = CopyTexture(bright.Glow().MainTexture(), GL_CLAMP_TO_EDGE);
        const GLuint thinBolt = CopyTexture(thin.Glow().MainTexture(), GL_CLAMP_TO_EDGE);
        const auto& fire = static_cast<const KV_ExplosionConstructor&>(explosion.Effects());
        const GLuint gradient = CopyTexture(manager.GetImage(fire.image).CurrentFrame(), GL_CLAMP_TO_EDGE);
        const GLuint noise = CopyTexture(manager.GetImage(fire.secondImage).CurrentFrame(), GL_REPEAT);
        GLuint texts[3];
        for (int k = 0; k < 3; ++k)
            texts[k] = CopyTexture(
                static_cast<KV_StaticTextConstructor&>(static_cast<KV_FXObj&>(*slide.drawnObjects[3 + k]).Effects())
                    .TextTexture(),
                GL_CLAMP_TO_EDGE);
        // The two capture targets, and the back buffer.
        const GLuint scenes[3] = {Texture(kWidth, kHeight, nullptr, GL_CLAMP_TO_EDGE),
                                  Texture(kWidth, kHeight, nullptr, GL_CLAMP_TO_EDGE),
                                  Texture(kWidth, kHeight, nullptr, GL_CLAMP_TO_EDGE)};
        const GLuint glows[2] = {Texture(512, 512, nullptr, GL_CLAMP_TO_EDGE), Texture(512, 512, nullptr, GL_CLAMP_TO_EDGE)};
        const GLuint sceneTargets[3] = {Framebuffer(scenes[0]), Framebuffer(scenes[1]), Framebuffer(scenes[2])};
        const GLuint glowTargets[2] = {Framebuffer(glows[0]), Framebuffer(glows[1])};

        FragmentProgram copy;
        copy.source = "#version 330 core\nin vec4 texCoord0;\nout vec4 fragColour;\nuniform sampler2D Picture;\n"
                      "void main() { fragColour = texture(Picture, texCoord0.xy); }\n";
        const GLuint copyProgram = Link(copy);
        const GLuint glowProgram = Program("glow.fx", "Blend_Max", {});
        const GLuint screenProgram = Program("glow.fx", "Blend_Screen", {"Texture1", "Texture2"});
        glUniform4f(glGetUniformLocation(screenProgram, "BlendColor"), 0.0f, 0.6f, 1.0f, 1.0f);
        const GLuint spriteProgram = Program("glow.fx", "Common", {"Texture1"});
        const GLuint fireProgram = Program("explosion.fx", "Main", {"GradientTex", "NoiseTex"});
        glUniform3f(glGetUniformLocation(fireProgram, "color1"), 1.0f, 1.0f, 1.0f);
        glUniform3f(glGetUniformLocation(fireProgram, "noise_params"), 0.79f, 0.15f, 0.42f);
        glUniform2f(glGetUniformLocation(fireProgram, "time"), 0.5f, 0.5f);
        glUniform2f(glGetUniformLocation(fireProgram, "phase_3rd"), 0.0f, 1.0f);
        const GLuint textProgram = Program("text.fx", "CommonVretexColor", {"Texture1"});
        const GLuint scrollProgram = Program("text.fx", "ScrollText", {"Texture1"});

        const QuadBuffer brightQuads(Quads(bright.GetGeometry())), thinQuads(Quads(thin.GetGeometry()));
        const QuadBuffer fireQuad(Quads(explosion.GetGeometry()));
        std::unique_ptr<QuadBuffer> textQuads[3];
        for (int k = 0; k < 3; ++k)
            textQuads[k] = std::make_unique<QuadBuffer>(Quads(static_cast<KV_FXObj&>(*slide.drawnObjects[3 + k]).GetGeometry()));
        const FullTargetStrip strip;
        glDisable(GL_DEPTH_TEST);
        glDisable(GL_CULL_FACE);

        // As the layer draws it: the picture and the plain objects into the
        // capture, from the last object to the first; each bolt its glow,
        // then the scene with the glow over it into the next target (the
        // last bolt to the back buffer), then its sprites.
        const auto bolt = [&](const QuadBuffer& quads, GLuint glowTarget, GLuint glow, GLuint scene, GLuint target,
                              bool clearTarget, GLuint boltPicture) {
            Target(glowTarget, 512, 512, true);
            glUseProgram(glowProgram);
            Blend(true, GL_MAX);
            quads.Draw();
            Target(target, kWidth, kHeight, clearTarget);
            glUseProgram(screenProgram);
            Bind({scene, glow});
            Blend(false);
            strip.Draw();
            glUseProgram(spriteProgram);
            Bind({boltPicture});
            Blend(true);
            quads.Draw();
        };
        float t = 0.0f;
        const QuadBuffer* buffers[] = {&brightQuads, &thinQuads, &fireQuad, textQuads[0].get(), textQuads[1].get(),
                                       textQuads[2].get()};
        for (auto _ : state) {
            t += kFrameStep;
            for (const QuadBuffer* buffer : buffers)
                buffer->Upload();
            Target(sceneTargets[0], kWidth, kHeight, true);
            glUseProgram(copyProgram);
            Bind({picture});
            Blend(false);
            strip.Draw();
            Blend(true);
            for (int k = 2; k >= 0; --k) {
                glUseProgram(k == 1 ? scrollProgram : textProgram);
                Bind({texts[k]});
                textQuads[k]->Draw();
            }
            glUseProgram(fireProgram);
            glUniform4f(glGetUniformLocation(fireProgram, "noise_shift"), t, 0.3f, 0.6f, t);
            Bind({gradient, noise});
            fireQuad.Draw();
            bolt(thinQuads, glowTargets[1], glows[1], scenes[0], sceneTargets[1], true, thinBolt);
            bolt(brightQuads, glowTargets[0], glows[0], scenes[1], sceneTargets[2], false, brightBolt);
            glFinish();
        }
        for (GLuint program : {copyProgram, glowProgram, screenProgram, spriteProgram, fireProgram, textProgram, scrollProgram})
            glDeleteProgram(program);
        glDeleteFramebuffers(3, sceneTargets);
        glDeleteFramebuffers(2, glowTargets);
        const GLuint textures[] = {picture, brightBolt, thinBolt, gradient, noise, texts[0], texts[1], texts[2],
                                   scenes[0], scenes[1], scenes[2], glows[0], glows[1]};
        glDeleteTextures(static_cast<GLsizei>(std::size(textures)), textures);
    }
}
BENCHMARK(SlideInRawGl)->UseRealTime()->Unit(benchmark::kMillisecond);

}  // namespace
