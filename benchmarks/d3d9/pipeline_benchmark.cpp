// The fixed-function pipeline's cost, headless on llvmpipe: a cached
// sprite-batch draw with a state change between draws (thread CPU time:
// the layer plus the GL driver's front end on the calling thread; the
// rasteriser runs on the driver's own threads), a full-screen textured
// quad against the same quad in raw GL, and Present.
#include <cstdlib>
#include <vector>

#include <benchmark/benchmark.h>
#include <epoxy/gl.h>

#include <d3d9.h>
#include <d3dx9.h>
#include <windows.h>

#include "benchmarks/d3d9/window_device.h"

namespace {

constexpr UINT kWidth = 1920, kHeight = 1080;
constexpr UINT kSprites = 16;

// One device on a full-HD back buffer, for the whole program.
struct Machine {
    IDirect3D9* direct3D = Direct3DCreate9(D3D_SDK_VERSION);
    HWND window = MakeBenchmarkWindow(kWidth, kHeight);
    IDirect3DDevice9* device = CreateBenchmarkDevice(direct3D, window, kWidth, kHeight);

    static Machine& Get() {
        static Machine machine;
        return machine;
    }
};

IDirect3DTexture9* MakeTexture(IDirect3DDevice9* device, UINT size, D3DCOLOR colour) {
    IDirect3DTexture9* texture = nullptr;
    device->CreateTexture(size, size, 1, 0, D3DFMT_A8R8G8B8, D3DPOOL_MANAGED, &texture, nullptr);
    D3DLOCKED_RECT locked{};
    texture->LockRect(0, &locked, nullptr, 0);
    for (UINT y = 0; y < size; ++y) {
        auto* row = reinterpret_cast<D3DCOLOR*>(static_cast<BYTE*>(locked.pBits) + y * locked.Pitch);
        for (UINT x = 0; x < size; ++x) row[x] = colour ^ (x * 0x010203) ^ (y << 8);
    }
    texture->UnlockRect(0);
    return texture;
}

struct SpriteVertex {
    float x, y, z;
    D3DCOLOR diffuse;
    float u, v;
};

void CachedSpriteBatchDraw(benchmark::State& state) {
    IDirect3DDevice9* device = Machine::Get().device;
    IDirect3DTexture9* textures[2] = {MakeTexture(device, 64, 0xFF804020), MakeTexture(device, 64, 0x80408020)};
    IDirect3DVertexBuffer9* vertices = nullptr;
    IDirect3DIndexBuffer9* indices = nullptr;
    device->CreateVertexBuffer(kSprites * 4 * sizeof(SpriteVertex), D3DUSAGE_WRITEONLY, 0x142, D3DPOOL_MANAGED,
                               &vertices, nullptr);
    device->CreateIndexBuffer(kSprites * 6 * 2, D3DUSAGE_WRITEONLY, D3DFMT_INDEX16, D3DPOOL_MANAGED, &indices,
                              nullptr);
    void* data = nullptr;
    vertices->Lock(0, 0, &data, 0);
    auto* sprite = static_cast<SpriteVertex*>(data);
    for (UINT s = 0; s < kSprites; ++s) {
        const float x = -0.9f + 0.1f * static_cast<float>(s), y = 0.f, size = 0.08f;
        sprite[s * 4 + 0] = {x, y, 0.f, 0xFFFFFFFF, 0.f, 1.f};
        sprite[s * 4 + 1] = {x, y + size, 0.f, 0xFFFFFFFF, 0.f, 0.f};
        sprite[s * 4 + 2] = {x + size, y, 0.f, 0xFFFFFFFF, 1.f, 1.f};
        sprite[s * 4 + 3] = {x + size, y + size, 0.f, 0xFFFFFFFF, 1.f, 0.f};
    }
    vertices->Unlock();
    indices->Lock(0, 0, &data, 0);
    auto* index = static_cast<WORD*>(data);
    for (UINT s = 0; s < kSprites; ++s) {
        const WORD base = static_cast<WORD>(s * 4);
        const WORD quad[] = {base, WORD(base + 1), WORD(base + 2), WORD(base + 2), WORD(base + 1), WORD(base + 3)};
        for (int i = 0; i < 6; ++i) index[s * 6 + i] = quad[i];
    }
    indices->Unlock();

    device->SetRenderState(D3DRS_LIGHTING, FALSE);
    device->SetRenderState(D3DRS_ZENABLE, D3DZB_FALSE);
    device->SetRenderState(D3DRS_CULLMODE, D3DCULL_NONE);
    device->SetRenderState(D3DRS_ALPHABLENDENABLE, TRUE);
    device->SetRenderState(D3DRS_SRCBLEND, D3DBLEND_SRCALPHA);
    device->SetTextureStageState(0, D3DTSS_ALPHAOP, D3DTOP_MODULATE);
    device->SetTextureStageState(0, D3DTSS_COLORARG2, D3DTA_DIFFUSE);
    device->SetTextureStageState(0, D3DTSS_ALPHAARG2, D3DTA_DIFFUSE);
    device->SetFVF(0x142);
    device->SetStreamSource(0, vertices, 0, sizeof(SpriteVertex));
    device->SetIndices(indices);
    int i = 0;
    for (auto _ : state) {
        // A state change between draws: the texture and the blend.
        device->SetTexture(0, textures[i & 1]);
        device->SetRenderState(D3DRS_DESTBLEND, i & 1 ? D3DBLEND_ONE : D3DBLEND_INVSRCALPHA);
        device->DrawIndexedPrimitive(D3DPT_TRIANGLELIST, 0, 0, kSprites * 4, 0, kSprites * 2);
        ++i;
        if ((i & 255) == 0) glFlush();  // keep the driver's queue from growing without bound
    }
    glFinish();
    device->SetTexture(0, nullptr);
    device->SetStreamSource(0, nullptr, 0, 0);
    device->SetIndices(nullptr);
    device->SetRenderState(D3DRS_ALPHABLENDENABLE, FALSE);
    for (auto* texture : textures) texture->Release();
    vertices->Release();
    indices->Release();
}
BENCHMARK(CachedSpriteBatchDraw);

struct QuadVertex {
    float x, y, z, rhw;
    float u, v;
};

void FullScreenQuadThroughTheLayer(benchmark::State& state) {
    IDirect3DDevice9* device = Machine::Get().device;
    IDirect3DTexture9* texture = MakeTexture(device, 1024, 0xFF336699);
    device->SetTexture(0, texture);
    device->SetSamplerState(0, D3DSAMP_MINFILTER, D3DTEXF_LINEAR);
    device->SetSamplerState(0, D3DSAMP_MAGFILTER, D3DTEXF_LINEAR);
    device->SetTextureStageState(0, D3DTSS_COLOROP, D3DTOP_SELECTARG1);
    const float w = kWidth - 0.5f, h = kHeight - 0.5f;
    const QuadVertex quad[] = {{-0.5f, h, 0.f, 1.f, 0.f, 1.f},
                               {-0.5f, -0.5f, 0.f, 1.f, 0.f, 0.f},
                               {w, h, 0.f, 1.f, 1.f, 1.f},
                               {w, -0.5f, 0.f, 1.f, 1.f, 0.f}};
    device->SetFVF(D3DFVF_XYZRHW | D3DFVF_TEX1);
    for (auto _ : state) {
        device->DrawPrimitiveUP(D3DPT_TRIANGLESTRIP, 2, quad, sizeof quad[0]);
        glFinish();
    }
    device->SetTexture(0, nullptr);
    texture->Release();
}
BENCHMARK(FullScreenQuadThroughTheLayer)->UseRealTime()->Unit(benchmark::kMillisecond);

GLuint Shader(GLenum type, const char* source) {
    const GLuint shader = glCreateShader(type);
    glShaderSource(shader, 1, &source, nullptr);
    glCompileShader(shader);
    return shader;
}

// The same quad in raw GL, on a context of its own device, into an FBO of
// the same size, reading one texture or (range 2) the product of two.
void FullScreenQuadInRawGl(benchmark::State& state) {
    const bool two = state.range(0) == 2;
    Machine& machine = Machine::Get();
    HWND window = MakeBenchmarkWindow(kWidth, kHeight);
    IDirect3DDevice9* device = CreateBenchmarkDevice(machine.direct3D, window, 16, 16);
    device->Clear(0, nullptr, D3DCLEAR_TARGET, 0, 1.f, 0);  // its context is current now

    GLuint framebuffer = 0, colour = 0, buffer = 0, vertexArray = 0;
    GLuint textures[2] = {};
    glGenRenderbuffers(1, &colour);
    glBindRenderbuffer(GL_RENDERBUFFER, colour);
    glRenderbufferStorage(GL_RENDERBUFFER, GL_RGBA8, kWidth, kHeight);
    glGenFramebuffers(1, &framebuffer);
    glBindFramebuffer(GL_FRAMEBUFFER, framebuffer);
    glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_RENDERBUFFER, colour);
    std::vector<uint32_t> pixels(1024 * 1024);
    for (UINT y = 0; y < 1024; ++y) {
        for (UINT x = 0; x < 1024; ++x) pixels[y * 1024 + x] = 0xFF336699 ^ (x * 0x010203) ^ (y << 8);
    }
    glGenTextures(2, textures);
    for (int unit = 0; unit < 2; ++unit) {
        glActiveTexture(GL_TEXTURE0 + unit);
        glBindTexture(GL_TEXTURE_2D, textures[unit]);
        glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, 1024, 1024, 0, GL_BGRA, GL_UNSIGNED_INT_8_8_8_8_REV,
                     pixels.data());
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAX_LEVEL, 0);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
        glBindSampler(unit, 0);
    }
    const float quad[] = {-1.f, -1.f, 0.f, 1.f, -1.f, 1.f, 0.f, 0.f, 1.f, -1.f, 1.f, 1.f, 1.f, 1.f, 1.f, 0.f};
    glGenVertexArrays(1, &vertexArray);
    glBindVertexArray(vertexArray);
    glGenBuffers(1, &buffer);
    glBindBuffer(GL_ARRAY_BUFFER, buffer);
    glBufferData(GL_ARRAY_BUFFER, sizeof quad, quad, GL_STATIC_DRAW);
    glEnableVertexAttribArray(0);
    glVertexAttribPointer(0, 4, GL_FLOAT, GL_FALSE, 0, nullptr);
    const GLuint program = glCreateProgram();
    glAttachShader(program, Shader(GL_VERTEX_SHADER,
                                   "#version 330 core\nlayout(location = 0) in vec4 p;\nout vec2 uv;\n"
                                   "void main() { gl_Position = vec4(p.xy, 0.0, 1.0); uv = p.zw; }\n"));
    glAttachShader(program, Shader(GL_FRAGMENT_SHADER,
                                   two ? "#version 330 core\nin vec2 uv;\nuniform sampler2D t;\nuniform sampler2D m;\n"
                                         "out vec4 c;\nvoid main() { c = texture(t, uv) * texture(m, uv); }\n"
                                       : "#version 330 core\nin vec2 uv;\nuniform sampler2D t;\nout vec4 c;\n"
                                         "void main() { c = texture(t, uv); }\n"));
    glLinkProgram(program);
    glUseProgram(program);
    glUniform1i(glGetUniformLocation(program, "t"), 0);
    glUniform1i(glGetUniformLocation(program, "m"), 1);
    glDisable(GL_BLEND);
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_CULL_FACE);
    glViewport(0, 0, kWidth, kHeight);
    for (auto _ : state) {
        glDrawArrays(GL_TRIANGLE_STRIP, 0, 4);
        glFinish();
    }
    glDeleteProgram(program);
    glDeleteBuffers(1, &buffer);
    glDeleteVertexArrays(1, &vertexArray);
    glDeleteTextures(2, textures);
    glDeleteFramebuffers(1, &framebuffer);
    glDeleteRenderbuffers(1, &colour);
    device->Release();
    DestroyWindow(window);
}
BENCHMARK(FullScreenQuadInRawGl)->Arg(1)->Arg(2)->UseRealTime()->Unit(benchmark::kMillisecond);

// Two textures multiplied, as a composite effect reads a picture and its mask.
constexpr char kTwoTextureEffect[] = R"(texture Picture
texture Mask
sampler PictureSampler = Picture
    MinFilter = LINEAR
    MagFilter = LINEAR
sampler MaskSampler = Mask
    MinFilter = LINEAR
    MagFilter = LINEAR
technique Main
    pass Only
        CullMode = NONE
        ZEnable = FALSE
        fragment
void main() { fragColour = texture(PictureSampler, texCoord0.xy) * texture(MaskSampler, texCoord0.xy); }
        end
)";

ID3DXEffect* TwoTextureEffect(IDirect3DDevice9* device, IDirect3DTexture9* picture, IDirect3DTexture9* mask) {
    ID3DXEffect* effect = nullptr;
    D3DXCreateEffect(device, kTwoTextureEffect, sizeof kTwoTextureEffect - 1, nullptr, nullptr, 0, nullptr, &effect,
                     nullptr);
    effect->SetTechnique("Main");
    effect->SetTexture("Picture", picture);
    effect->SetTexture("Mask", mask);
    return effect;
}

void FullScreenQuadThroughAnEffect(benchmark::State& state) {
    IDirect3DDevice9* device = Machine::Get().device;
    IDirect3DTexture9* picture = MakeTexture(device, 1024, 0xFF336699);
    IDirect3DTexture9* mask = MakeTexture(device, 1024, 0xFF336699);
    ID3DXEffect* effect = TwoTextureEffect(device, picture, mask);
    const float w = kWidth - 0.5f, h = kHeight - 0.5f;
    const QuadVertex quad[] = {{-0.5f, h, 0.f, 1.f, 0.f, 1.f},
                               {-0.5f, -0.5f, 0.f, 1.f, 0.f, 0.f},
                               {w, h, 0.f, 1.f, 1.f, 1.f},
                               {w, -0.5f, 0.f, 1.f, 1.f, 0.f}};
    device->SetFVF(D3DFVF_XYZRHW | D3DFVF_TEX1);
    for (auto _ : state) {
        UINT passes = 0;
        effect->Begin(&passes, 0);
        effect->BeginPass(0);
        device->DrawPrimitiveUP(D3DPT_TRIANGLESTRIP, 2, quad, sizeof quad[0]);
        effect->EndPass();
        effect->End();
        glFinish();
    }
    effect->Release();
    picture->Release();
    mask->Release();
}
BENCHMARK(FullScreenQuadThroughAnEffect)->UseRealTime()->Unit(benchmark::kMillisecond);

// The layer's own CPU for the pass calls around a draw: state saved,
// applied, staged and put back, nothing drawn.
void EffectPassCalls(benchmark::State& state) {
    IDirect3DDevice9* device = Machine::Get().device;
    IDirect3DTexture9* picture = MakeTexture(device, 64, 0xFF336699);
    ID3DXEffect* effect = TwoTextureEffect(device, picture, picture);
    for (auto _ : state) {
        UINT passes = 0;
        effect->Begin(&passes, 0);
        effect->BeginPass(0);
        effect->EndPass();
        effect->End();
    }
    effect->Release();
    picture->Release();
}
BENCHMARK(EffectPassCalls)->Unit(benchmark::kMicrosecond);

void Present(benchmark::State& state) {
    IDirect3DDevice9* device = Machine::Get().device;
    for (auto _ : state) {
        device->Present(nullptr, nullptr, nullptr, nullptr);
        glFinish();
    }
}
BENCHMARK(Present)->UseRealTime()->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    setenv("SDL_VIDEODRIVER", "offscreen", 0);
    setenv("SDL_AUDIODRIVER", "dummy", 0);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    Machine& machine = Machine::Get();
    machine.device->Release();
    DestroyWindow(machine.window);
    machine.direct3D->Release();
    return 0;
}
