// StretchRect, UpdateSurface and GetRenderTargetData between textures'
// surfaces: scaling with each filter, rectangles, and Direct3D's refusals.
#include <cstdlib>

#include "platform/d3d9_resources/resource_fixture.h"

namespace d3d9_test {
namespace {

using CopyTest = ResourceTest;

constexpr D3DCOLOR kRed = 0xFFFF0000, kGreen = 0xFF00FF00, kBlue = 0xFF0000FF, kWhite = 0xFFFFFFFF;
constexpr D3DCOLOR kBlack = 0xFF000000;

TEST_F(CopyTest, RenderTargetTextureReadsBackRowsTopFirst) {
    Com<IDirect3DTexture9> target(MakeTarget(2, 2, {kRed, kGreen, kBlue, kWhite}));
    Com<IDirect3DSurface9> surface(Level(target.get()));
    EXPECT_EQ(Read(surface.get()), (std::vector<D3DCOLOR>{kRed, kGreen, kBlue, kWhite}));
}

TEST_F(CopyTest, PointFilterRepeatsEachTexel) {
    Com<IDirect3DTexture9> source(MakeTarget(2, 2, {kRed, kGreen, kBlue, kWhite}));
    Com<IDirect3DTexture9> target(MakeTexture(4, 4, 1, D3DUSAGE_RENDERTARGET, D3DFMT_A8R8G8B8, D3DPOOL_DEFAULT));
    Com<IDirect3DSurface9> from(Level(source.get()));
    Com<IDirect3DSurface9> to(Level(target.get()));
    ASSERT_EQ(device()->StretchRect(from.get(), nullptr, to.get(), nullptr, D3DTEXF_POINT), D3D_OK);
    const std::vector<D3DCOLOR> expected{kRed,  kRed,  kGreen, kGreen, kRed,  kRed,  kGreen, kGreen,
                                         kBlue, kBlue, kWhite, kWhite, kBlue, kBlue, kWhite, kWhite};
    EXPECT_EQ(Read(to.get()), expected);
}

// Doubling a black-white pair: the outer pixels clamp, the inner ones mix
// a quarter and three quarters.
TEST_F(CopyTest, LinearFilterBlendsBetweenTexels) {
    Com<IDirect3DTexture9> source(MakeTarget(2, 1, {kBlack, kWhite}));
    Com<IDirect3DTexture9> target(MakeTexture(4, 1, 1, D3DUSAGE_RENDERTARGET, D3DFMT_A8R8G8B8, D3DPOOL_DEFAULT));
    Com<IDirect3DSurface9> from(Level(source.get()));
    Com<IDirect3DSurface9> to(Level(target.get()));
    ASSERT_EQ(device()->StretchRect(from.get(), nullptr, to.get(), nullptr, D3DTEXF_LINEAR), D3D_OK);
    const std::vector<D3DCOLOR> pixels = Read(to.get());
    const int expected[] = {0, 64, 191, 255};
    for (int x = 0; x < 4; ++x) {
        EXPECT_LE(std::abs(static_cast<int>(pixels[x] & 0xFF) - expected[x]), 1) << x;
    }
}

TEST_F(CopyTest, RectanglesPlaceTheCopy) {
    Com<IDirect3DTexture9> source(MakeTarget(2, 2, {kRed, kGreen, kBlue, kWhite}));
    Com<IDirect3DTexture9> target(MakeTarget(4, 4, std::vector<D3DCOLOR>(16, kBlack)));
    Com<IDirect3DSurface9> from(Level(source.get()));
    Com<IDirect3DSurface9> to(Level(target.get()));
    const RECT right{1, 0, 2, 2};        // green over white
    const RECT bottomLeft{0, 2, 2, 4};   // stretched to 2 x 2
    ASSERT_EQ(device()->StretchRect(from.get(), &right, to.get(), &bottomLeft, D3DTEXF_NONE), D3D_OK);
    const std::vector<D3DCOLOR> pixels = Read(to.get());
    EXPECT_EQ(pixels[0], kBlack);
    EXPECT_EQ(pixels[2 * 4 + 0], kGreen);
    EXPECT_EQ(pixels[2 * 4 + 1], kGreen);
    EXPECT_EQ(pixels[3 * 4 + 1], kWhite);
    EXPECT_EQ(pixels[3 * 4 + 2], kBlack);
}

TEST_F(CopyTest, StretchRectRefusesWhatDirect3DRefuses) {
    Com<IDirect3DTexture9> target(MakeTarget(4, 4, std::vector<D3DCOLOR>(16, kBlack)));
    Com<IDirect3DSurface9> to(Level(target.get()));
    Com<IDirect3DTexture9> managed(MakeTexture(4, 4, 1, 0, D3DFMT_A8R8G8B8, D3DPOOL_MANAGED));
    Com<IDirect3DSurface9> managedLevel(Level(managed.get()));
    Com<IDirect3DTexture9> plain(MakeTexture(4, 4, 1, 0, D3DFMT_A8R8G8B8, D3DPOOL_DEFAULT));
    Com<IDirect3DSurface9> plainLevel(Level(plain.get()));
    Com<IDirect3DTexture9> luminance(MakeTexture(4, 4, 1, 0, D3DFMT_L8, D3DPOOL_DEFAULT));
    Com<IDirect3DSurface9> luminanceLevel(Level(luminance.get()));

    // From a managed texture, into a non-render-target, onto itself,
    // outside the surface, with a filter StretchRect lacks, or from a
    // format the copy would change.
    EXPECT_EQ(device()->StretchRect(managedLevel.get(), nullptr, to.get(), nullptr, D3DTEXF_NONE),
              D3DERR_INVALIDCALL);
    EXPECT_EQ(device()->StretchRect(to.get(), nullptr, plainLevel.get(), nullptr, D3DTEXF_NONE), D3DERR_INVALIDCALL);
    EXPECT_EQ(device()->StretchRect(to.get(), nullptr, to.get(), nullptr, D3DTEXF_NONE), D3DERR_INVALIDCALL);
    const RECT outside{2, 2, 6, 6};
    EXPECT_EQ(device()->StretchRect(plainLevel.get(), &outside, to.get(), nullptr, D3DTEXF_NONE),
              D3DERR_INVALIDCALL);
    EXPECT_EQ(device()->StretchRect(plainLevel.get(), nullptr, to.get(), nullptr, D3DTEXF_ANISOTROPIC),
              D3DERR_INVALIDCALL);
    EXPECT_EQ(device()->StretchRect(luminanceLevel.get(), nullptr, to.get(), nullptr, D3DTEXF_NONE),
              D3DERR_INVALIDCALL);
    EXPECT_EQ(device()->StretchRect(plainLevel.get(), nullptr, to.get(), nullptr, D3DTEXF_NONE), D3D_OK);
}

// A sub-rectangle of a system-memory texture lands at the given point of
// a default-pool one, and nowhere else.
TEST_F(CopyTest, UpdateSurfaceCopiesARectangleToAPoint) {
    Com<IDirect3DTexture9> staging(MakeTexture(4, 4, 1, 0, D3DFMT_A8R8G8B8, D3DPOOL_SYSTEMMEM));
    Com<IDirect3DSurface9> from(Level(staging.get()));
    Fill(from.get(), {kRed, kRed, kRed, kRed, kRed, kGreen, kBlue, kRed, kRed, kRed, kRed, kRed, kRed, kRed, kRed,
                      kRed});
    Com<IDirect3DTexture9> card(MakeTexture(4, 4, 1, 0, D3DFMT_A8R8G8B8, D3DPOOL_DEFAULT));
    Com<IDirect3DSurface9> onCard(Level(card.get()));
    Com<IDirect3DTexture9> blank(MakeTexture(4, 4, 1, 0, D3DFMT_A8R8G8B8, D3DPOOL_SYSTEMMEM));
    Com<IDirect3DSurface9> blankLevel(Level(blank.get()));
    Fill(blankLevel.get(), std::vector<D3DCOLOR>(16, kBlack));
    ASSERT_EQ(device()->UpdateSurface(blankLevel.get(), nullptr, onCard.get(), nullptr), D3D_OK);

    const RECT pair{1, 1, 3, 2};
    const POINT at{2, 3};
    ASSERT_EQ(device()->UpdateSurface(from.get(), &pair, onCard.get(), &at), D3D_OK);
    Com<IDirect3DTexture9> target(MakeTexture(4, 4, 1, D3DUSAGE_RENDERTARGET, D3DFMT_A8R8G8B8, D3DPOOL_DEFAULT));
    Com<IDirect3DSurface9> to(Level(target.get()));
    ASSERT_EQ(device()->StretchRect(onCard.get(), nullptr, to.get(), nullptr, D3DTEXF_NONE), D3D_OK);
    std::vector<D3DCOLOR> expected(16, kBlack);
    expected[3 * 4 + 2] = kGreen;
    expected[3 * 4 + 3] = kBlue;
    EXPECT_EQ(Read(to.get()), expected);

    // The rectangle must fit at the point, the pools and formats must match.
    const POINT tooFar{3, 3};
    EXPECT_EQ(device()->UpdateSurface(from.get(), &pair, onCard.get(), &tooFar), D3DERR_INVALIDCALL);
    EXPECT_EQ(device()->UpdateSurface(onCard.get(), nullptr, from.get(), nullptr), D3DERR_INVALIDCALL);
    Com<IDirect3DTexture9> other(MakeTexture(4, 4, 1, 0, D3DFMT_X8R8G8B8, D3DPOOL_DEFAULT));
    Com<IDirect3DSurface9> otherLevel(Level(other.get()));
    EXPECT_EQ(device()->UpdateSurface(from.get(), nullptr, otherLevel.get(), nullptr), D3DERR_INVALIDCALL);
}

// A source with more levels gives its smaller ones: 8 x 8 of three levels
// into 4 x 4 of two.
TEST_F(CopyTest, UpdateTextureMatchesLevelsBySize) {
    Com<IDirect3DTexture9> source(MakeTexture(8, 8, 3, 0, D3DFMT_A8R8G8B8, D3DPOOL_SYSTEMMEM));
    const D3DCOLOR colours[] = {kRed, kGreen, kBlue};
    for (UINT level = 0; level < 3; ++level) {
        Com<IDirect3DSurface9> surface(Level(source.get(), level));
        const UINT side = 8 >> level;
        Fill(surface.get(), std::vector<D3DCOLOR>(side * side, colours[level]));
    }
    Com<IDirect3DTexture9> destination(MakeTexture(4, 4, 2, 0, D3DFMT_A8R8G8B8, D3DPOOL_DEFAULT));
    ASSERT_EQ(device()->UpdateTexture(source.get(), destination.get()), D3D_OK);

    for (UINT level = 0; level < 2; ++level) {
        const UINT side = 4 >> level;
        Com<IDirect3DTexture9> target(
            MakeTexture(side, side, 1, D3DUSAGE_RENDERTARGET, D3DFMT_A8R8G8B8, D3DPOOL_DEFAULT));
        Com<IDirect3DSurface9> from(Level(destination.get(), level));
        Com<IDirect3DSurface9> to(Level(target.get()));
        ASSERT_EQ(device()->StretchRect(from.get(), nullptr, to.get(), nullptr, D3DTEXF_NONE), D3D_OK);
        EXPECT_EQ(Read(to.get()), std::vector<D3DCOLOR>(side * side, colours[level + 1])) << level;
    }

    // Fewer source levels than destination ones, or sizes that never meet.
    Com<IDirect3DTexture9> deeper(MakeTexture(4, 4, 3, 0, D3DFMT_A8R8G8B8, D3DPOOL_DEFAULT));
    Com<IDirect3DTexture9> shallow(MakeTexture(4, 4, 1, 0, D3DFMT_A8R8G8B8, D3DPOOL_SYSTEMMEM));
    EXPECT_EQ(device()->UpdateTexture(shallow.get(), deeper.get()), D3DERR_INVALIDCALL);
    Com<IDirect3DTexture9> wide(MakeTexture(16, 4, 2, 0, D3DFMT_A8R8G8B8, D3DPOOL_SYSTEMMEM));
    EXPECT_EQ(device()->UpdateTexture(wide.get(), destination.get()), D3DERR_INVALIDCALL);
    EXPECT_EQ(device()->UpdateTexture(destination.get(), source.get()), D3DERR_INVALIDCALL);
}

TEST_F(CopyTest, ColorFillPaintsARectangleOfARenderTarget) {
    Com<IDirect3DTexture9> target(MakeTarget(4, 4, std::vector<D3DCOLOR>(16, kBlack)));
    Com<IDirect3DSurface9> surface(Level(target.get()));
    const RECT middle{1, 1, 3, 4};
    ASSERT_EQ(device()->ColorFill(surface.get(), &middle, 0x80102030), D3D_OK);
    const std::vector<D3DCOLOR> pixels = Read(surface.get());
    for (int y = 0; y < 4; ++y) {
        for (int x = 0; x < 4; ++x) {
            const bool inside = x >= 1 && x < 3 && y >= 1;
            EXPECT_EQ(pixels[y * 4 + x], inside ? 0x80102030u : kBlack) << x << "," << y;
        }
    }
}

TEST_F(CopyTest, ColorFillWritesADefaultPoolPlainSurfaceInItsFormat) {
    Com<IDirect3DSurface9> plain;
    ASSERT_EQ(device()->CreateOffscreenPlainSurface(4, 2, D3DFMT_R5G6B5, D3DPOOL_DEFAULT, plain.out(), nullptr),
              D3D_OK);
    const RECT right{2, 0, 4, 2};
    ASSERT_EQ(device()->ColorFill(plain.get(), nullptr, 0xFF000000), D3D_OK);
    ASSERT_EQ(device()->ColorFill(plain.get(), &right, 0xFFFF0000), D3D_OK);
    D3DLOCKED_RECT locked{};
    ASSERT_EQ(plain->LockRect(&locked, nullptr, D3DLOCK_READONLY), D3D_OK);
    const auto* row = static_cast<const uint16_t*>(locked.pBits);
    EXPECT_EQ(row[1], 0x0000);
    EXPECT_EQ(row[2], 0xF800);
    EXPECT_EQ(row[3], 0xF800);
    plain->UnlockRect();

    // Not on system memory, textures that are not targets, or outside.
    Com<IDirect3DSurface9> system;
    ASSERT_EQ(device()->CreateOffscreenPlainSurface(4, 4, D3DFMT_A8R8G8B8, D3DPOOL_SYSTEMMEM, system.out(), nullptr),
              D3D_OK);
    EXPECT_EQ(device()->ColorFill(system.get(), nullptr, kRed), D3DERR_INVALIDCALL);
    Com<IDirect3DTexture9> texture(MakeTexture(4, 4, 1, 0, D3DFMT_A8R8G8B8, D3DPOOL_DEFAULT));
    Com<IDirect3DSurface9> level(Level(texture.get()));
    EXPECT_EQ(device()->ColorFill(level.get(), nullptr, kRed), D3DERR_INVALIDCALL);
    const RECT outside{3, 0, 5, 2};
    EXPECT_EQ(device()->ColorFill(plain.get(), &outside, kRed), D3DERR_INVALIDCALL);
}

}  // namespace
}  // namespace d3d9_test
