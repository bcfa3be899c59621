// The device's thread runs what the calling thread recorded in order: each
// sequence of the table, recorded while that thread is held back so that
// all of it is queued at once, reads back bit for bit what the same
// sequence gives on a device that runs it at once. What the calling
// thread releases or writes again meanwhile must not reach the commands
// queued before.
#include <cstring>
#include <functional>

#include "platform/d3d9_resources/held_device.h"
#include "platform/d3d9_resources/resource_fixture.h"

namespace d3d9_test {
namespace {

constexpr UINT kSize = 32;
constexpr DWORD kFvf = D3DFVF_XYZRHW | D3DFVF_DIFFUSE | D3DFVF_TEX1;

struct Vertex {
    float x, y, z, rhw;
    D3DCOLOR colour;
    float u, v;
};

// Two triangles over x0..x1, y0..y1 in pixels, the texture's whole extent.
std::array<Vertex, 6> Quad(float x0, float y0, float x1, float y1, D3DCOLOR colour) {
    const Vertex a{x0, y0, 0.5f, 1.f, colour, 0.f, 0.f}, b{x1, y0, 0.5f, 1.f, colour, 1.f, 0.f};
    const Vertex c{x0, y1, 0.5f, 1.f, colour, 0.f, 1.f}, d{x1, y1, 0.5f, 1.f, colour, 1.f, 1.f};
    return {a, b, c, b, d, c};
}

using Surfaces = std::vector<Com<IDirect3DSurface9>>;

Surfaces Targets(Com<IDirect3DSurface9> target = {}) {
    Surfaces targets;
    if (target.get()) targets.push_back(std::move(target));
    return targets;
}

struct Sequence {
    const char* name;
    // Records on device; returns the render targets to read besides the back buffer.
    std::function<Surfaces(IDirect3DDevice9*)> record;
};

IDirect3DTexture9* Texture(IDirect3DDevice9* device, UINT size, DWORD usage, D3DPOOL pool) {
    IDirect3DTexture9* texture = nullptr;
    EXPECT_EQ(device->CreateTexture(size, size, 1, usage, D3DFMT_A8R8G8B8, pool, &texture, nullptr), D3D_OK);
    return texture;
}

IDirect3DSurface9* Level(IDirect3DTexture9* texture) {
    IDirect3DSurface9* surface = nullptr;
    EXPECT_EQ(texture->GetSurfaceLevel(0, &surface), D3D_OK);
    return surface;
}

// Every pixel of the surface's level from colour(x, y).
void Paint(IDirect3DSurface9* surface, const std::function<D3DCOLOR(UINT, UINT)>& colour) {
    D3DSURFACE_DESC desc{};
    surface->GetDesc(&desc);
    D3DLOCKED_RECT locked{};
    ASSERT_EQ(surface->LockRect(&locked, nullptr, 0), D3D_OK);
    for (UINT y = 0; y < desc.Height; ++y) {
        auto* row = reinterpret_cast<D3DCOLOR*>(static_cast<BYTE*>(locked.pBits) + y * locked.Pitch);
        for (UINT x = 0; x < desc.Width; ++x) row[x] = colour(x, y);
    }
    surface->UnlockRect();
}

D3DCOLOR Checker(UINT x, UINT y) { return ((x / 4 + y / 4) % 2) ? 0xFFE0A020 : 0xFF2040C0; }

void WriteQuad(IDirect3DVertexBuffer9* buffer, UINT at, const std::array<Vertex, 6>& quad, DWORD flags) {
    void* data = nullptr;
    ASSERT_EQ(buffer->Lock(at * sizeof(Vertex), sizeof quad, &data, flags), D3D_OK);
    std::memcpy(data, quad.data(), sizeof quad);
    buffer->Unlock();
}

IDirect3DVertexBuffer9* VertexBuffer(IDirect3DDevice9* device, UINT vertices, DWORD usage, D3DPOOL pool) {
    IDirect3DVertexBuffer9* buffer = nullptr;
    EXPECT_EQ(device->CreateVertexBuffer(vertices * sizeof(Vertex), usage, kFvf, pool, &buffer, nullptr), D3D_OK);
    return buffer;
}

// A dynamic buffer of that many vertices, set as stream 0.
IDirect3DVertexBuffer9* DynamicStream(IDirect3DDevice9* device, UINT vertices) {
    IDirect3DVertexBuffer9* buffer = VertexBuffer(device, vertices, D3DUSAGE_DYNAMIC | D3DUSAGE_WRITEONLY, D3DPOOL_DEFAULT);
    device->SetFVF(kFvf);
    device->SetStreamSource(0, buffer, 0, sizeof(Vertex));
    return buffer;
}

void DrawQuad(IDirect3DDevice9* device, const std::array<Vertex, 6>& quad) {
    device->SetFVF(kFvf);
    ASSERT_EQ(device->DrawPrimitiveUP(D3DPT_TRIANGLELIST, 2, quad.data(), sizeof(Vertex)), D3D_OK);
}

void Textured(IDirect3DDevice9* device, IDirect3DBaseTexture9* texture) {
    device->SetTexture(0, texture);
    device->SetTextureStageState(0, D3DTSS_COLOROP, D3DTOP_MODULATE);
}

const Sequence kSequences[] = {
    {"Draw",
     [](IDirect3DDevice9* device) {
         device->Clear(0, nullptr, D3DCLEAR_TARGET, 0xFF102030, 1.f, 0);
         DrawQuad(device, Quad(2, 3, 20, 29, 0xFFFF8000));
         device->SetRenderState(D3DRS_ALPHABLENDENABLE, TRUE);
         device->SetRenderState(D3DRS_SRCBLEND, D3DBLEND_SRCALPHA);
         device->SetRenderState(D3DRS_DESTBLEND, D3DBLEND_INVSRCALPHA);
         DrawQuad(device, Quad(10, 0, 32, 16, 0x8000FF40));
         return Targets();
     }},
    {"LockDiscardAndRedraw",
     [](IDirect3DDevice9* device) {
         Com<IDirect3DVertexBuffer9> buffer(DynamicStream(device, 6));
         for (UINT i = 0; i < 4; ++i) {
             WriteQuad(buffer.get(), 0, Quad(i * 8.f, i * 6.f, i * 8.f + 10, i * 6.f + 12, 0xFF203040 * (i + 1)),
                       D3DLOCK_DISCARD);
             EXPECT_EQ(device->DrawPrimitive(D3DPT_TRIANGLELIST, 0, 2), D3D_OK);
         }
         device->SetStreamSource(0, nullptr, 0, 0);
         return Targets();
     }},
    {"LockNoOverwrite",
     [](IDirect3DDevice9* device) {
         Com<IDirect3DVertexBuffer9> buffer(DynamicStream(device, 24));
         for (UINT i = 0; i < 4; ++i) {
             WriteQuad(buffer.get(), i * 6, Quad(i * 7.f, 0, i * 7.f + 9, 32, 0xFF00FF00 >> i),
                       i == 0 ? D3DLOCK_DISCARD : D3DLOCK_NOOVERWRITE);
             EXPECT_EQ(device->DrawPrimitive(D3DPT_TRIANGLELIST, i * 6, 2), D3D_OK);
         }
         device->SetStreamSource(0, nullptr, 0, 0);
         return Targets();
     }},
    {"RenderToATargetThenReadIt",
     [](IDirect3DDevice9* device) {
         Com<IDirect3DTexture9> target(Texture(device, 16, D3DUSAGE_RENDERTARGET, D3DPOOL_DEFAULT));
         Com<IDirect3DSurface9> level(Level(target.get()));
         Com<IDirect3DSurface9> backBuffer;
         device->GetBackBuffer(0, 0, D3DBACKBUFFER_TYPE_MONO, backBuffer.out());
         device->SetRenderTarget(0, level.get());
         device->Clear(0, nullptr, D3DCLEAR_TARGET, 0xFF0000FF, 1.f, 0);
         DrawQuad(device, Quad(4, 4, 12, 12, 0xFFFFFF00));
         device->SetRenderTarget(0, backBuffer.get());
         Textured(device, target.get());
         DrawQuad(device, Quad(0, 0, 32, 32, 0xFFFFFFFF));
         device->SetTexture(0, nullptr);
         return Targets(std::move(level));
     }},
    {"UpdateSurfaceThenWriteTheSourceAgain",
     [](IDirect3DDevice9* device) {
         Com<IDirect3DTexture9> target(Texture(device, 16, D3DUSAGE_RENDERTARGET, D3DPOOL_DEFAULT));
         Com<IDirect3DSurface9> level(Level(target.get()));
         Com<IDirect3DSurface9> source;
         device->CreateOffscreenPlainSurface(16, 16, D3DFMT_A8R8G8B8, D3DPOOL_SYSTEMMEM, source.out(), nullptr);
         Paint(source.get(), Checker);
         EXPECT_EQ(device->UpdateSurface(source.get(), nullptr, level.get(), nullptr), D3D_OK);
         Textured(device, target.get());
         DrawQuad(device, Quad(0, 0, 16, 32, 0xFFFFFFFF));
         // Written again before the first copy ran: the second copy sees it, the first not.
         Paint(source.get(), [](UINT x, UINT) { return 0xFF000000 | x * 0x0F0F0F; });
         const RECT part{0, 0, 8, 8};
         const POINT at{8, 8};
         EXPECT_EQ(device->UpdateSurface(source.get(), &part, level.get(), &at), D3D_OK);
         DrawQuad(device, Quad(16, 0, 32, 32, 0xFFFFFFFF));
         device->SetTexture(0, nullptr);
         return Targets(std::move(level));
     }},
    {"StretchRectAndColorFill",
     [](IDirect3DDevice9* device) {
         Com<IDirect3DSurface9> target;
         device->CreateRenderTarget(8, 8, D3DFMT_X8R8G8B8, D3DMULTISAMPLE_NONE, 0, FALSE, target.out(), nullptr);
         Com<IDirect3DSurface9> backBuffer;
         device->GetBackBuffer(0, 0, D3DBACKBUFFER_TYPE_MONO, backBuffer.out());
         EXPECT_EQ(device->ColorFill(target.get(), nullptr, 0xFF336699), D3D_OK);
         const RECT corner{0, 0, 4, 4};
         EXPECT_EQ(device->ColorFill(target.get(), &corner, 0xFFCC0000), D3D_OK);
         const RECT wide{2, 2, 30, 20};
         EXPECT_EQ(device->StretchRect(target.get(), nullptr, backBuffer.get(), &wide, D3DTEXF_LINEAR), D3D_OK);
         const RECT strip{0, 24, 32, 28};
         EXPECT_EQ(device->ColorFill(backBuffer.get(), &strip, 0xFF00CC00), D3D_OK);
         return Targets(std::move(target));
     }},
    {"ClearRectanglesInTheViewport",
     [](IDirect3DDevice9* device) {
         const D3DVIEWPORT9 viewport{4, 4, 24, 20, 0.f, 1.f};
         device->SetViewport(&viewport);
         const D3DRECT rects[] = {{0, 0, 10, 10}, {12, 6, 30, 30}};
         device->Clear(2, rects, D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, 0xFF8040C0, 0.25f, 0);
         device->SetRenderState(D3DRS_ZFUNC, D3DCMP_LESS);
         DrawQuad(device, Quad(0, 0, 32, 32, 0xFFFFFFFF));  // at depth 0.5: only where the clear left 1
         return Targets();
     }},
    {"TextureReleasedBeforeItsDrawRan",
     [](IDirect3DDevice9* device) {
         IDirect3DTexture9* texture = Texture(device, 16, 0, D3DPOOL_MANAGED);
         Com<IDirect3DSurface9> level(Level(texture));
         Paint(level.get(), Checker);
         level.Reset();
         Textured(device, texture);
         DrawQuad(device, Quad(0, 0, 32, 32, 0xFFFFFFFF));
         device->SetTexture(0, nullptr);
         EXPECT_EQ(texture->Release(), 0u);
         return Targets();
     }},
    {"BuffersReleasedAndTexturesWrittenWhileQueued",
     [](IDirect3DDevice9* device) {
         IDirect3DVertexBuffer9* buffer = VertexBuffer(device, 6, 0, D3DPOOL_MANAGED);
         WriteQuad(buffer, 0, Quad(0, 0, 16, 32, 0xFFFFFFFF), 0);
         Com<IDirect3DTexture9> texture(Texture(device, 16, 0, D3DPOOL_MANAGED));
         Com<IDirect3DSurface9> level(Level(texture.get()));
         Paint(level.get(), Checker);
         Textured(device, texture.get());
         device->SetFVF(kFvf);
         device->SetStreamSource(0, buffer, 0, sizeof(Vertex));
         EXPECT_EQ(device->DrawPrimitive(D3DPT_TRIANGLELIST, 0, 2), D3D_OK);
         // Both written again before that draw ran; it still draws what it was given.
         WriteQuad(buffer, 0, Quad(16, 0, 32, 32, 0xFFFFFFFF), 0);
         Paint(level.get(), [](UINT x, UINT y) { return 0xFF000000 | (x * 16) << 8 | y * 16; });
         EXPECT_EQ(device->DrawPrimitive(D3DPT_TRIANGLELIST, 0, 2), D3D_OK);
         device->SetStreamSource(0, nullptr, 0, 0);
         EXPECT_EQ(buffer->Release(), 0u);
         device->SetTexture(0, nullptr);
         return Targets();
     }},
};

class QueueOrderTest : public D3D9Test, public testing::WithParamInterface<Sequence> {
protected:
    void TearDown() override {
        platform::sim::SetDeviceQueue(std::nullopt);
        D3D9Test::TearDown();
    }

    // The back buffer's pixels and then those of each target the sequence names.
    std::vector<std::vector<D3DCOLOR>> Run(bool queued) {
        platform::sim::SetDeviceQueue(queued);
        D3DPRESENT_PARAMETERS presentation = Windowed(MakeWindow({0, 0, kSize, kSize}));
        Com<IDirect3DDevice9> device(CreateDevice(0, presentation));
        EXPECT_NE(device.get(), nullptr);
        if (!device.get()) return {};
        Gate gate;
        EXPECT_EQ(HoldAt(device.get(), gate), queued);
        Surfaces targets = GetParam().record(device.get());
        gate.Open();
        std::vector<std::vector<D3DCOLOR>> pixels;
        UINT width = 0, height = 0;
        pixels.push_back(ReadBackBuffer(device.get(), width, height));
        for (const auto& target : targets) pixels.push_back(ReadTarget(device.get(), target.get()));
        return pixels;
    }
};

TEST_P(QueueOrderTest, QueuedReadsBackWhatRunningAtOnceDoes) {
    const auto synchronous = Run(false);
    const auto queued = Run(true);
    ASSERT_EQ(queued.size(), synchronous.size());
    for (size_t i = 0; i < queued.size(); ++i) {
        EXPECT_EQ(queued[i], synchronous[i]) << "surface " << i;
        // Something was drawn: not one colour all over.
        EXPECT_NE(std::count(synchronous[i].begin(), synchronous[i].end(), synchronous[i].front()),
                  static_cast<std::ptrdiff_t>(synchronous[i].size()))
            << "surface " << i;
    }
}

INSTANTIATE_TEST_SUITE_P(Sequences, QueueOrderTest, testing::ValuesIn(kSequences),
                         [](const testing::TestParamInfo<Sequence>& info) { return info.param.name; });

}  // namespace
}  // namespace d3d9_test
