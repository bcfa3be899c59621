// A frame of a picture slide at 1920 x 1080 (background picture, borders,
// fade overlay, present) through the scene and the layer, against the same
// passes in raw GL in the same run. The frame's CPU column is the calling
// thread's time: the scene, the layer and the GL driver's front end (the
// rasteriser runs on the driver's own threads).
#include <vector>

#include <benchmark/benchmark.h>
#include <epoxy/gl.h>
#include <png.h>

#include <d3d9.h>
#include <d3dx9.h>
#include <windows.h>

#include "benchmarks/d3d9/window_device.h"
#include "benchmarks/support/back_buffer_pixel.h"
#include "platform/d3dx9/picture_files.h"
#include "scene/document/scene_document.h"
#include "scene/document/writer/scene_document_writer.h"
#include "scene/render/current_device.h"
#include "scene/render/view_context.h"
#include "scene/resources/kv_docresmanager.h"
#include "scene/slideshow/kv_slideshow_light.h"

namespace {

constexpr UINT kWidth = 1920, kHeight = 1080;
constexpr UINT kPicture = 1024;

std::vector<uint32_t> PictureTexels() {
    std::vector<uint32_t> texels(kPicture * kPicture);
    for (UINT y = 0; y < kPicture; ++y) {
        for (UINT x = 0; x < kPicture; ++x) texels[y * kPicture + x] = 0xFF336699 ^ (x * 0x010203) ^ (y << 8);
    }
    return texels;
}

std::vector<BYTE> PicturePng() {
    d3dx9_test::PngPicture picture;
    picture.width = kPicture;
    picture.height = kPicture;
    picture.colourType = PNG_COLOR_TYPE_RGB;
    for (uint32_t texel : PictureTexels())
        picture.rows.insert(picture.rows.end(), {BYTE(texel >> 16), BYTE(texel >> 8), BYTE(texel)});
    return d3dx9_test::EncodePng(picture);
}

// One slide of the picture, stored in the document.
std::vector<BYTE> PictureSlideDocument() {
    KV_DocResManager manager;
    const ResourceKey key{L"picture.png", 1};
    const std::vector<BYTE> png = PicturePng();
    ResourceEntry entry;
    entry.Assign(key.name, static_cast<DWORD>(png.size()), png.data());
    manager.Tables().images[key] = {entry};
    KV_SlideShow_Light show;
    auto* slide = new KV_SlideContainer;
    slide->light = CountedRef<KV_2D_Light>(new KV_2D_Light);
    slide->light->pictureLink.SetKey(key);
    show.slides.emplace_back(slide);
    return WriteSceneDocument(show, manager);
}

struct Machine {
    IDirect3D9* direct3D = Direct3DCreate9(D3D_SDK_VERSION);
    static Machine& Get() {
        static Machine machine;
        return machine;
    }
};

// One slide of a square picture in Fit placement: borders left and right.
// Range 1 leaves Present and the wait for the driver out of the timing: the
// CPU column is then the scene's and the layer's own work for the frame,
// with only the driver's recording of seven draws in it.
void PictureSlideFrame(benchmark::State& state) {
    const bool sceneOnly = state.range(0) == 1;
    HWND window = MakeBenchmarkWindow(kWidth, kHeight);
    IDirect3DDevice9* device = CreateBenchmarkDevice(Machine::Get().direct3D, window, kWidth, kHeight);
    g_currentDevice = device;
    ViewContext view;
    MakeRenderContextCurrent(&view);
    {
        const std::vector<BYTE> bytes = PictureSlideDocument();
        ResourceBuffer buffer(bytes.data(), bytes.size());
        SceneDocument document = ReadSceneDocument(buffer);
        g_currentDocResManager = document.manager.get();
        KV_SlideShow_Light& show = *document.root;
        show.BuildSlides();
        show.SetPicturePosition(ViewContext::Fit);
        float t = 0;
        for (auto _ : state) {
            device->BeginScene();
            show.FrameMove(t);
            show.Render(0);
            device->EndScene();
            if (sceneOnly) state.PauseTiming();
            device->Present(nullptr, nullptr, nullptr, nullptr);
            glFinish();
            if (sceneOnly) state.ResumeTiming();
            t += 0.03f;
        }
        // What was timed must be the frame: the picture between white borders.
        device->BeginScene();
        show.Render(0);
        device->EndScene();
        if (BackBufferPixel(device, 100, kHeight / 2) != 0xFFFFFF ||
            BackBufferPixel(device, kWidth / 2, kHeight / 2) == 0xFFFFFF)
            state.SkipWithError("the slide was not drawn");
        show.InvalidateDeviceObjects();
        g_currentDocResManager = nullptr;
    }
    MakeRenderContextCurrent(nullptr);
    g_currentDevice = nullptr;
    device->Release();
    DestroyWindow(window);
}
BENCHMARK(PictureSlideFrame)->Arg(0)->UseRealTime()->Unit(benchmark::kMillisecond);
BENCHMARK(PictureSlideFrame)->Arg(1)->Unit(benchmark::kMicrosecond);

constexpr char kQuadVertex[] =
    "#version 330 core\nlayout(location = 0) in vec4 p;\nout vec2 uv;\n"
    "void main() { gl_Position = vec4(p.xy, 0.0, 1.0); uv = p.zw; }\n";
constexpr char kShadedQuadVertex[] =
    "#version 330 core\nlayout(location = 0) in vec4 p;\nlayout(location = 1) in vec4 colour;\nout vec4 shade;\n"
    "void main() { gl_Position = vec4(p.xy, 0.0, 1.0); shade = colour; }\n";

GLuint Program(const char* vertex, const char* fragment) {
    const auto shader = [](GLenum type, const char* source) {
        const GLuint name = glCreateShader(type);
        glShaderSource(name, 1, &source, nullptr);
        glCompileShader(name);
        return name;
    };
    const GLuint program = glCreateProgram();
    glAttachShader(program, shader(GL_VERTEX_SHADER, vertex));
    glAttachShader(program, shader(GL_FRAGMENT_SHADER, fragment));
    glLinkProgram(program);
    return program;
}

// A quad over pixels [x0, x1) x [y0, y1) as clip-space strip vertices with uv.
void AppendQuad(std::vector<float>& vertices, float x0, float x1, float y0, float y1) {
    const float l = x0 / kWidth * 2 - 1, r = x1 / kWidth * 2 - 1;
    const float t = 1 - y0 / kHeight * 2, b = 1 - y1 / kHeight * 2;
    vertices.insert(vertices.end(), {l, b, 0, 1, l, t, 0, 0, r, b, 1, 1, r, t, 1, 0});
}

// The same passes in raw GL into a device's back buffer: clear, the
// picture (mirrored addressing, as the slide sets it), four border quads
// and the blended overlay with a colour per corner, as the fade's vertices
// carry one; then the device's Present, as in the frame above.
void PictureSlidePassesInRawGl(benchmark::State& state) {
    HWND window = MakeBenchmarkWindow(kWidth, kHeight);
    IDirect3DDevice9* device = CreateBenchmarkDevice(Machine::Get().direct3D, window, kWidth, kHeight);
    // Its context is current now, with its back buffer bound.
    device->Clear(0, nullptr, D3DCLEAR_TARGET, 0, 1.f, 0);

    GLuint buffer = 0, colours = 0, vertexArray = 0, texture = 0;
    const std::vector<uint32_t> texels = PictureTexels();
    glActiveTexture(GL_TEXTURE0);
    glGenTextures(1, &texture);
    glBindTexture(GL_TEXTURE_2D, texture);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, kPicture, kPicture, 0, GL_BGRA, GL_UNSIGNED_INT_8_8_8_8_REV,
                 texels.data());
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAX_LEVEL, 0);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_MIRRORED_REPEAT);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_MIRRORED_REPEAT);
    glBindSampler(0, 0);

    const float left = (kWidth - kHeight) / 2.0f, right = left + kHeight;
    std::vector<float> vertices;
    AppendQuad(vertices, left, right, 0, kHeight);           // picture
    AppendQuad(vertices, 0, left, 0, kHeight);               // borders
    AppendQuad(vertices, right, kWidth, 0, kHeight);
    AppendQuad(vertices, left, right, 0, 0);
    AppendQuad(vertices, left, right, kHeight, kHeight);
    AppendQuad(vertices, 0, kWidth, 0, kHeight);             // overlay
    glGenVertexArrays(1, &vertexArray);
    glBindVertexArray(vertexArray);
    glGenBuffers(1, &buffer);
    glBindBuffer(GL_ARRAY_BUFFER, buffer);
    glBufferData(GL_ARRAY_BUFFER, static_cast<GLsizeiptr>(vertices.size() * sizeof(float)), vertices.data(),
                 GL_STATIC_DRAW);
    glEnableVertexAttribArray(0);
    glVertexAttribPointer(0, 4, GL_FLOAT, GL_FALSE, 0, nullptr);
    const std::vector<uint32_t> transparentBlack(vertices.size() / 4, 0);
    glGenBuffers(1, &colours);
    glBindBuffer(GL_ARRAY_BUFFER, colours);
    glBufferData(GL_ARRAY_BUFFER, static_cast<GLsizeiptr>(transparentBlack.size() * sizeof(uint32_t)),
                 transparentBlack.data(), GL_STATIC_DRAW);
    glEnableVertexAttribArray(1);
    glVertexAttribPointer(1, GL_BGRA, GL_UNSIGNED_BYTE, GL_TRUE, 0, nullptr);
    const GLuint textured = Program(
        kQuadVertex,
        "#version 330 core\nin vec2 uv;\nuniform sampler2D t;\nout vec4 c;\nvoid main() { c = texture(t, uv); }\n");
    const GLuint plain =
        Program(kQuadVertex, "#version 330 core\nuniform vec4 k;\nout vec4 c;\nvoid main() { c = k; }\n");
    const GLuint shaded =
        Program(kShadedQuadVertex, "#version 330 core\nin vec4 shade;\nout vec4 c;\nvoid main() { c = shade; }\n");
    glUseProgram(plain);
    const GLint plainColour = glGetUniformLocation(plain, "k");
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_CULL_FACE);
    glViewport(0, 0, kWidth, kHeight);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    for (auto _ : state) {
        glClearColor(1.f, 0.f, 1.f, 1.f);
        glClear(GL_COLOR_BUFFER_BIT);
        glDisable(GL_BLEND);
        glUseProgram(textured);
        glDrawArrays(GL_TRIANGLE_STRIP, 0, 4);
        glUseProgram(plain);
        glUniform4f(plainColour, 1.f, 1.f, 1.f, 1.f);
        for (GLint quad = 1; quad <= 4; ++quad) glDrawArrays(GL_TRIANGLE_STRIP, quad * 4, 4);
        glEnable(GL_BLEND);
        glUseProgram(shaded);
        glDrawArrays(GL_TRIANGLE_STRIP, 20, 4);
        device->Present(nullptr, nullptr, nullptr, nullptr);
        glFinish();
    }
    glDisable(GL_BLEND);
    glDeleteProgram(textured);
    glDeleteProgram(plain);
    glDeleteProgram(shaded);
    glDeleteBuffers(1, &colours);
    glDeleteBuffers(1, &buffer);
    glDeleteVertexArrays(1, &vertexArray);
    glDeleteTextures(1, &texture);
    device->Release();
    DestroyWindow(window);
}
BENCHMARK(PictureSlidePassesInRawGl)->UseRealTime()->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
