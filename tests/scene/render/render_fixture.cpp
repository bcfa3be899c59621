#include "scene/render/render_fixture.h"

#include <cstring>

#include "scene/render/current_device.h"
#include "scene/render/d3d_helpers.h"

namespace render_test {

void RenderTest::SetUp() {
    D3D9Test::SetUp();
    presentation_ = Windowed(MakeWindow({0, 0, 64, 64}));
    presentation_.BackBufferWidth = width_;
    presentation_.BackBufferHeight = height_;
    *device_.out() = CreateDevice(0, presentation_);
    ASSERT_NE(device_.get(), nullptr);
    g_currentDevice = device_.get();
}

void RenderTest::TearDown() {
    for (IDirect3DTexture9* texture : textures_) texture->Release();
    g_currentDevice = nullptr;
    device_.Reset();
    D3D9Test::TearDown();
}

D3DCOLOR RenderTest::Pixel(UINT x, UINT y) { return d3d9_test::PixelAt(device_.get(), x, y); }

IDirect3DTexture9* RenderTest::MakeTexture(UINT w, UINT h, const std::vector<D3DCOLOR>& texels) {
    IDirect3DTexture9* texture = nullptr;
    EXPECT_EQ(device_->CreateTexture(w, h, 1, 0, D3DFMT_A8R8G8B8, D3DPOOL_MANAGED, &texture, nullptr), D3D_OK);
    textures_.push_back(texture);
    D3DLOCKED_RECT locked{};
    EXPECT_EQ(texture->LockRect(0, &locked, nullptr, 0), D3D_OK);
    for (UINT y = 0; y < h; ++y)
        std::memcpy(static_cast<BYTE*>(locked.pBits) + y * locked.Pitch, &texels[y * w], w * 4);
    texture->UnlockRect(0);
    return texture;
}

std::vector<D3DCOLOR> QuadrantTexels() {
    std::vector<D3DCOLOR> texels(64 * 64);
    for (UINT y = 0; y < 64; ++y)
        for (UINT x = 0; x < 64; ++x)
            texels[y * 64 + x] = y < 32 ? (x < 32 ? 0xFFFF0000 : 0xFF00FF00) : (x < 32 ? 0xFF0000FF : 0xFFFFFFFF);
    return texels;
}

std::vector<D3DCOLOR> ReadTexture(IDirect3DDevice9* device, IDirect3DTexture9* texture) {
    d3d9_test::Com<IDirect3DSurface9> level, copy;
    EXPECT_EQ(texture->GetSurfaceLevel(0, level.out()), D3D_OK);
    D3DSURFACE_DESC desc{};
    level->GetDesc(&desc);
    EXPECT_EQ(device->CreateOffscreenPlainSurface(desc.Width, desc.Height, desc.Format, D3DPOOL_SYSTEMMEM, copy.out(),
                                                  nullptr),
              D3D_OK);
    EXPECT_EQ(device->GetRenderTargetData(level.get(), copy.get()), D3D_OK);
    D3DLOCKED_RECT locked{};
    EXPECT_EQ(copy->LockRect(&locked, nullptr, D3DLOCK_READONLY), D3D_OK);
    std::vector<D3DCOLOR> texels(static_cast<size_t>(desc.Width) * desc.Height);
    for (UINT y = 0; y < desc.Height; ++y)
        std::memcpy(&texels[static_cast<size_t>(y) * desc.Width], static_cast<BYTE*>(locked.pBits) + y * locked.Pitch,
                    desc.Width * 4);
    copy->UnlockRect();
    return texels;
}

D3DXVECTOR2 ThroughWorld(IDirect3DDevice9* device, float x, float y) {
    D3DXMATRIX world;
    EXPECT_EQ(device->GetTransform(D3DTS_WORLD, &world), D3D_OK);
    const D3DXVECTOR3 point(x, y, 0.0f);
    D3DXVECTOR3 out;
    D3DXVec3TransformCoord(&out, &point, &world);
    return {out.x, out.y};
}

void FillQuad(TexturedIndexedQuad& quad, const DX_V::PT (&corners)[4]) {
    CreateVertexBufferPT(4, quad.vertexBuffer);
    quad.vertexCount = 4;
    void* locked = nullptr;
    ASSERT_EQ(quad.vertexBuffer->Lock(0, 0, &locked, 0), D3D_OK);
    std::memcpy(locked, corners, sizeof corners);
    quad.vertexBuffer->Unlock();
    CreateIndexBuffer16(6, quad.indexBuffer);
    const WORD indices[6] = {0, 1, 2, 2, 1, 3};
    ASSERT_EQ(quad.indexBuffer->Lock(0, 0, &locked, 0), D3D_OK);
    std::memcpy(locked, indices, sizeof indices);
    quad.indexBuffer->Unlock();
    quad.primitiveType = D3DPT_TRIANGLELIST;
    quad.triangleCount = 2;
}

}  // namespace render_test
