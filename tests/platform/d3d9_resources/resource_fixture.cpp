#include "platform/d3d9_resources/resource_fixture.h"

#include <cstring>

#include "d3d9/device.h"
#include "platform/d3d9_resources/held_device.h"

namespace d3d9_test {

void ResourceTest::SetUp() {
    D3D9Test::SetUp();
    presentation_ = Windowed(MakeWindow({0, 0, 64, 64}));
    *device_.out() = CreateDevice(0, presentation_);
    ASSERT_NE(device_.get(), nullptr);
}

void ResourceTest::TearDown() {
    device_.Reset();
    D3D9Test::TearDown();
}

IDirect3DTexture9* ResourceTest::MakeTexture(UINT width, UINT height, UINT levels, DWORD usage,
                                                 D3DFORMAT format, D3DPOOL pool) {
    IDirect3DTexture9* texture = nullptr;
    EXPECT_EQ(device_->CreateTexture(width, height, levels, usage, format, pool, &texture, nullptr), D3D_OK);
    return texture;
}

IDirect3DTexture9* ResourceTest::MakeTarget(UINT width, UINT height, const std::vector<D3DCOLOR>& pixels) {
    Com<IDirect3DTexture9> staging(MakeTexture(width, height, 1, 0, D3DFMT_A8R8G8B8, D3DPOOL_SYSTEMMEM));
    Com<IDirect3DTexture9> target(
        MakeTexture(width, height, 1, D3DUSAGE_RENDERTARGET, D3DFMT_A8R8G8B8, D3DPOOL_DEFAULT));
    Com<IDirect3DSurface9> from(Level(staging.get()));
    Fill(from.get(), pixels);
    Com<IDirect3DSurface9> to(Level(target.get()));
    EXPECT_EQ(device_->UpdateSurface(from.get(), nullptr, to.get(), nullptr), D3D_OK);
    return target.Detach();
}

std::vector<D3DCOLOR> ReadTarget(IDirect3DDevice9* device, IDirect3DSurface9* target) {
    D3DSURFACE_DESC desc{};
    target->GetDesc(&desc);
    Com<IDirect3DSurface9> copy;
    EXPECT_EQ(device->CreateOffscreenPlainSurface(desc.Width, desc.Height, desc.Format, D3DPOOL_SYSTEMMEM,
                                                   copy.out(), nullptr),
              D3D_OK);
    EXPECT_EQ(device->GetRenderTargetData(target, copy.get()), D3D_OK);
    D3DLOCKED_RECT locked{};
    EXPECT_EQ(copy->LockRect(&locked, nullptr, D3DLOCK_READONLY), D3D_OK);
    std::vector<D3DCOLOR> pixels(static_cast<size_t>(desc.Width) * desc.Height);
    for (UINT y = 0; y < desc.Height; ++y) {
        std::memcpy(&pixels[static_cast<size_t>(y) * desc.Width], static_cast<BYTE*>(locked.pBits) + y * locked.Pitch,
                    desc.Width * 4);
    }
    copy->UnlockRect();
    return pixels;
}

std::vector<D3DCOLOR> ResourceTest::Read(IDirect3DSurface9* target) { return ReadTarget(device_.get(), target); }

bool HoldAt(IDirect3DDevice9* device, Gate& gate) {
    auto& commands = dynamic_cast<platform::d3d9::Device&>(*device).commands();
    if (!commands.threaded()) return false;
    commands.Record([held = &gate] { held->Wait(); });
    return true;
}

IDirect3DSurface9* ResourceTest::Level(IDirect3DTexture9* texture, UINT level) {
    IDirect3DSurface9* surface = nullptr;
    EXPECT_EQ(texture->GetSurfaceLevel(level, &surface), D3D_OK);
    return surface;
}

void ResourceTest::Fill(IDirect3DSurface9* surface, const std::vector<D3DCOLOR>& pixels) {
    D3DSURFACE_DESC desc{};
    surface->GetDesc(&desc);
    D3DLOCKED_RECT locked{};
    ASSERT_EQ(surface->LockRect(&locked, nullptr, 0), D3D_OK);
    for (UINT y = 0; y < desc.Height; ++y) {
        std::memcpy(static_cast<BYTE*>(locked.pBits) + y * locked.Pitch, &pixels[static_cast<size_t>(y) * desc.Width],
                    desc.Width * 4);
    }
    surface->UnlockRect();
}

}  // namespace d3d9_test
