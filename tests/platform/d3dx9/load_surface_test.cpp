// D3DXLoadSurfaceFromMemory and D3DXLoadSurfaceFromSurface on the layer's
// own device: system-memory surfaces and the back buffer.
#include "platform/d3dx9/device_fixture.h"

namespace d3d9_test {
namespace {

using LoadSurface = D3DXDeviceTest;

TEST_F(LoadSurface, FromMemoryScalesTheSourceRectangleOverTheDestination) {
    Com<IDirect3DSurface9> surface(Plain(4, 2));
    // Two grey pixels, black and white, after a pixel the rectangle leaves out.
    const D3DCOLOR source[3] = {0xFF123456, 0xFF000000, 0xFFFFFFFF};
    const RECT from{1, 0, 3, 1};
    ASSERT_EQ(D3DXLoadSurfaceFromMemory(surface.get(), nullptr, nullptr, source, D3DFMT_A8R8G8B8, sizeof source,
                                        nullptr, &from, D3DX_FILTER_TRIANGLE | D3DX_FILTER_MIRROR, 0),
              D3D_OK);
    const std::vector<D3DCOLOR> row = {0xFF000000, 0xFF404040, 0xFFBFBFBF, 0xFFFFFFFF};
    std::vector<D3DCOLOR> expected = row;
    expected.insert(expected.end(), row.begin(), row.end());
    EXPECT_EQ(Pixels(surface.get()), expected);
}

TEST_F(LoadSurface, FromMemoryConvertsFormatsIntoTheDestinationRectangleOnly) {
    Com<IDirect3DSurface9> surface(Plain(3, 2));
    const D3DCOLOR grey = 0xFF808080;
    const D3DCOLOR fill[6] = {grey, grey, grey, grey, grey, grey};
    const RECT whole{0, 0, 3, 2};
    ASSERT_EQ(D3DXLoadSurfaceFromMemory(surface.get(), nullptr, nullptr, fill, D3DFMT_A8R8G8B8, 12, nullptr, &whole,
                                        D3DX_FILTER_NONE, 0),
              D3D_OK);
    const WORD red565[2] = {0xF800, 0x07E0};  // red, green
    const RECT source{0, 0, 2, 1};
    const RECT destination{1, 1, 3, 2};
    ASSERT_EQ(D3DXLoadSurfaceFromMemory(surface.get(), nullptr, &destination, red565, D3DFMT_R5G6B5, 4, nullptr,
                                        &source, D3DX_DEFAULT, 0),
              D3D_OK);
    EXPECT_EQ(Pixels(surface.get()), (std::vector<D3DCOLOR>{grey, grey, grey, grey, 0xFFFF0000, 0xFF00FF00}));
}

TEST_F(LoadSurface, TheColourKeyBecomesTransparentBlack) {
    Com<IDirect3DSurface9> surface(Plain(2, 1));
    const D3DCOLOR source[2] = {0xFF00FF00, 0xFF0000FF};
    const RECT from{0, 0, 2, 1};
    ASSERT_EQ(D3DXLoadSurfaceFromMemory(surface.get(), nullptr, nullptr, source, D3DFMT_A8R8G8B8, 8, nullptr, &from,
                                        D3DX_FILTER_NONE, 0xFF00FF00),
              D3D_OK);
    EXPECT_EQ(Pixels(surface.get()), (std::vector<D3DCOLOR>{0x00000000, 0xFF0000FF}));
}

TEST_F(LoadSurface, FromTheBackBufferReadsTheRenderTargetBack) {
    const D3DRECT top{0, 0, 200, 50}, bottom{0, 50, 200, 100};
    ASSERT_EQ(device()->Clear(1, &top, D3DCLEAR_TARGET, 0xFFFF0000, 1.f, 0), D3D_OK);
    ASSERT_EQ(device()->Clear(1, &bottom, D3DCLEAR_TARGET, 0xFF0000FF, 1.f, 0), D3D_OK);
    Com<IDirect3DSurface9> backBuffer;
    ASSERT_EQ(device()->GetBackBuffer(0, 0, D3DBACKBUFFER_TYPE_MONO, backBuffer.out()), D3D_OK);

    Com<IDirect3DSurface9> small(Plain(20, 10));
    ASSERT_EQ(D3DXLoadSurfaceFromSurface(small.get(), nullptr, nullptr, backBuffer.get(), nullptr, nullptr,
                                         D3DX_FILTER_BOX, 0),
              D3D_OK);
    std::vector<D3DCOLOR> pixels = Pixels(small.get());
    EXPECT_EQ(pixels[0], 0xFFFF0000);
    EXPECT_EQ(pixels[4 * 20 + 19], 0xFFFF0000);
    EXPECT_EQ(pixels[5 * 20], 0xFF0000FF);
    EXPECT_EQ(pixels[9 * 20 + 19], 0xFF0000FF);

    // A rectangle across the border: the upper half red, the lower blue.
    Com<IDirect3DSurface9> band(Plain(1, 2));
    const RECT across{90, 40, 110, 60};
    ASSERT_EQ(D3DXLoadSurfaceFromSurface(band.get(), nullptr, nullptr, backBuffer.get(), nullptr, &across,
                                         D3DX_FILTER_BOX, 0),
              D3D_OK);
    EXPECT_EQ(Pixels(band.get()), (std::vector<D3DCOLOR>{0xFFFF0000, 0xFF0000FF}));
}

TEST_F(LoadSurface, FromSurfaceCopiesBetweenSurfacesWithTheFilter) {
    Com<IDirect3DSurface9> source(Plain(2, 2)), destination(Plain(4, 4));
    const D3DCOLOR quad[4] = {0xFF102030, 0xFF405060, 0xFF708090, 0xFFA0B0C0};
    const RECT from{0, 0, 2, 2};
    ASSERT_EQ(D3DXLoadSurfaceFromMemory(source.get(), nullptr, nullptr, quad, D3DFMT_A8R8G8B8, 8, nullptr, &from,
                                        D3DX_FILTER_NONE, 0),
              D3D_OK);
    ASSERT_EQ(D3DXLoadSurfaceFromSurface(destination.get(), nullptr, nullptr, source.get(), nullptr, nullptr,
                                         D3DX_FILTER_POINT, 0),
              D3D_OK);
    std::vector<D3DCOLOR> pixels = Pixels(destination.get());
    EXPECT_EQ(pixels[0], quad[0]);
    EXPECT_EQ(pixels[1 * 4 + 1], quad[0]);
    EXPECT_EQ(pixels[0 * 4 + 3], quad[1]);
    EXPECT_EQ(pixels[3 * 4 + 0], quad[2]);
    EXPECT_EQ(pixels[3 * 4 + 3], quad[3]);
}

TEST_F(LoadSurface, BadArgumentsAreRefused) {
    Com<IDirect3DSurface9> surface(Plain(2, 2));
    const D3DCOLOR pixels[4] = {};
    const RECT whole{0, 0, 2, 2}, outside{1, 1, 3, 3}, empty{1, 1, 1, 2};
    auto fromMemory = [&](const RECT* destination, D3DFORMAT format, const RECT* source, DWORD filter) {
        return D3DXLoadSurfaceFromMemory(surface.get(), nullptr, destination, pixels, format, 8, nullptr, source,
                                         filter, 0);
    };
    EXPECT_EQ(fromMemory(nullptr, D3DFMT_A8R8G8B8, nullptr, D3DX_FILTER_NONE), D3DERR_INVALIDCALL);
    EXPECT_EQ(fromMemory(&outside, D3DFMT_A8R8G8B8, &whole, D3DX_FILTER_NONE), D3DERR_INVALIDCALL);
    EXPECT_EQ(fromMemory(nullptr, D3DFMT_A8R8G8B8, &empty, D3DX_FILTER_NONE), D3DERR_INVALIDCALL);
    EXPECT_EQ(fromMemory(nullptr, D3DFMT_A8R8G8B8, &whole, 6), D3DERR_INVALIDCALL);
    EXPECT_EQ(fromMemory(nullptr, D3DFMT_P8, &whole, D3DX_FILTER_NONE), E_NOTIMPL);
    EXPECT_EQ(D3DXLoadSurfaceFromMemory(nullptr, nullptr, nullptr, pixels, D3DFMT_A8R8G8B8, 8, nullptr, &whole,
                                        D3DX_FILTER_NONE, 0),
              D3DERR_INVALIDCALL);
    EXPECT_EQ(D3DXLoadSurfaceFromSurface(surface.get(), nullptr, nullptr, nullptr, nullptr, nullptr, D3DX_DEFAULT, 0),
              D3DERR_INVALIDCALL);
    EXPECT_EQ(D3DXLoadSurfaceFromSurface(surface.get(), nullptr, nullptr, surface.get(), nullptr, &outside,
                                         D3DX_DEFAULT, 0),
              D3DERR_INVALIDCALL);
}

}  // namespace
}  // namespace d3d9_test
