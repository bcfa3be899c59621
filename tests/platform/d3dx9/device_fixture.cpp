#include "platform/d3dx9/device_fixture.h"

namespace d3d9_test {
namespace {

UINT BytesPerTexel(D3DFORMAT format) {
    switch (format) {
        case D3DFMT_A8R8G8B8:
        case D3DFMT_X8R8G8B8:
        case D3DFMT_V16U16:
            return 4;
        case D3DFMT_L8:
        case D3DFMT_A8:
            return 1;
        default:
            return 2;
    }
}

}  // namespace

void D3DXDeviceTest::SetUp() {
    D3D9Test::SetUp();
    *device_.out() = CreateDevice(0, Windowed(MakeWindow({0, 0, 200, 100})));
    ASSERT_NE(device_.get(), nullptr);
}

void D3DXDeviceTest::TearDown() {
    device_.Reset();
    D3D9Test::TearDown();
}

IDirect3DSurface9* D3DXDeviceTest::Plain(UINT width, UINT height, D3DFORMAT format) {
    IDirect3DSurface9* surface = nullptr;
    EXPECT_EQ(device_->CreateOffscreenPlainSurface(width, height, format, D3DPOOL_SYSTEMMEM, &surface, nullptr),
              D3D_OK);
    return surface;
}

std::vector<D3DCOLOR> D3DXDeviceTest::Pixels(IDirect3DSurface9* surface) {
    D3DSURFACE_DESC desc{};
    surface->GetDesc(&desc);
    D3DLOCKED_RECT locked{};
    EXPECT_EQ(surface->LockRect(&locked, nullptr, D3DLOCK_READONLY), D3D_OK);
    std::vector<D3DCOLOR> pixels;
    for (UINT y = 0; y < desc.Height; ++y) {
        const auto* row = reinterpret_cast<const D3DCOLOR*>(static_cast<const BYTE*>(locked.pBits) + y * locked.Pitch);
        pixels.insert(pixels.end(), row, row + desc.Width);
    }
    surface->UnlockRect();
    return pixels;
}

std::vector<BYTE> D3DXDeviceTest::TexelBytes(IDirect3DTexture9* texture, UINT level, UINT x, UINT y) {
    D3DSURFACE_DESC desc{};
    texture->GetLevelDesc(level, &desc);
    D3DLOCKED_RECT locked{};
    EXPECT_EQ(texture->LockRect(level, &locked, nullptr, D3DLOCK_READONLY), D3D_OK);
    const BYTE* bits = static_cast<const BYTE*>(locked.pBits);
    std::vector<BYTE> bytes;
    if (desc.Format == D3DFMT_DXT1 || desc.Format == D3DFMT_DXT3 || desc.Format == D3DFMT_DXT5) {
        UINT blockBytes = desc.Format == D3DFMT_DXT1 ? 8 : 16;
        for (UINT row = 0; row < (desc.Height + 3) / 4; ++row) {
            const BYTE* start = bits + row * locked.Pitch;
            bytes.insert(bytes.end(), start, start + (desc.Width + 3) / 4 * blockBytes);
        }
    } else {
        UINT size = BytesPerTexel(desc.Format);
        const BYTE* texel = bits + y * locked.Pitch + x * size;
        bytes.assign(texel, texel + size);
    }
    texture->UnlockRect(level);
    return bytes;
}

}  // namespace d3d9_test
