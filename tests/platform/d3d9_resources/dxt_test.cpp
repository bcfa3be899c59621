// DXT blocks decode to the colours Direct3D gives them, both in the
// decoder and through a default-pool texture copied into a render target.
#include <array>
#include <cstring>

#include "d3d9/dxt_decode.h"
#include "platform/d3d9_resources/resource_fixture.h"

namespace d3d9_test {
namespace {

using platform::d3d9::DecodeDxt;

// 5:6:5 red and blue as colour 0 and 1; pixel i of the first row uses
// index i.
constexpr std::array<BYTE, 8> kFourColourBlock{0x00, 0xF8, 0x1F, 0x00, 0b11100100, 0, 0, 0};
// Colour 0 not above colour 1: three colours and transparent black.
constexpr std::array<BYTE, 8> kThreeColourBlock{0x1F, 0x00, 0x00, 0xF8, 0b11100100, 0, 0, 0};
constexpr std::array<BYTE, 8> kWhiteBlock{0xFF, 0xFF, 0x00, 0x00, 0, 0, 0, 0};

struct DxtCase {
    const char* name;
    D3DFORMAT format;
    std::array<BYTE, 16> block;
    std::array<D3DCOLOR, 4> firstRow;
};

std::array<BYTE, 16> Join(const std::array<BYTE, 8>& alpha, const std::array<BYTE, 8>& colour) {
    std::array<BYTE, 16> block{};
    std::memcpy(block.data(), alpha.data(), 8);
    std::memcpy(block.data() + 8, colour.data(), 8);
    return block;
}

std::array<BYTE, 16> Dxt1(const std::array<BYTE, 8>& colour) { return Join(colour, {}); }

class DxtDecodeTest : public testing::TestWithParam<DxtCase> {};

TEST_P(DxtDecodeTest, FirstRowHasTheBlockColours) {
    const DxtCase& c = GetParam();
    const auto pixels = DecodeDxt(c.format, c.block.data(), 16, 4, 4);
    for (int x = 0; x < 4; ++x) EXPECT_EQ(pixels[x], c.firstRow[x]) << c.name << " pixel " << x;
}

INSTANTIATE_TEST_SUITE_P(
    Blocks, DxtDecodeTest,
    testing::Values(
        DxtCase{"Dxt1FourColours", D3DFMT_DXT1, Dxt1(kFourColourBlock),
                {0xFFFF0000, 0xFF0000FF, 0xFFAA0055, 0xFF5500AA}},
        DxtCase{"Dxt1ThreeColoursAndTransparent", D3DFMT_DXT1, Dxt1(kThreeColourBlock),
                {0xFF0000FF, 0xFFFF0000, 0xFF7F007F, 0x00000000}},
        // Explicit 4-bit alpha, widened by repeating the nibble.
        DxtCase{"Dxt3", D3DFMT_DXT3, Join({0x8F, 0x30, 0, 0, 0, 0, 0, 0}, kWhiteBlock),
                {0xFFFFFFFF, 0x88FFFFFF, 0x00FFFFFF, 0x33FFFFFF}},
        // Eight interpolated alphas: indices 0, 1, 2, 7.
        DxtCase{"Dxt5EightAlphas", D3DFMT_DXT5, Join({255, 0, 0x88, 0x0E, 0, 0, 0, 0}, kWhiteBlock),
                {0xFFFFFFFF, 0x00FFFFFF, 0xDAFFFFFF, 0x24FFFFFF}},
        // Six interpolated alphas plus 0 and 255: indices 2, 5, 6, 7.
        DxtCase{"Dxt5SixAlphas", D3DFMT_DXT5, Join({0, 255, 0xAA, 0x0F, 0, 0, 0, 0}, kWhiteBlock),
                {0x33FFFFFF, 0xCCFFFFFF, 0x00FFFFFF, 0xFFFFFFFF}}),
    [](const testing::TestParamInfo<DxtCase>& info) { return std::string(info.param.name); });

using DxtTextureTest = ResourceTest;

// Two DXT1 blocks side by side, loaded from system memory into the card's
// pool and copied into a render target.
TEST_F(DxtTextureTest, DefaultPoolTextureCopiesDecodedColours) {
    Com<IDirect3DTexture9> staging(MakeTexture(8, 4, 1, 0, D3DFMT_DXT1, D3DPOOL_SYSTEMMEM));
    D3DLOCKED_RECT locked{};
    ASSERT_EQ(staging->LockRect(0, &locked, nullptr, 0), D3D_OK);
    std::memcpy(locked.pBits, kFourColourBlock.data(), 8);
    std::memcpy(static_cast<BYTE*>(locked.pBits) + 8, kThreeColourBlock.data(), 8);
    ASSERT_EQ(staging->UnlockRect(0), D3D_OK);

    Com<IDirect3DTexture9> card(MakeTexture(8, 4, 1, 0, D3DFMT_DXT1, D3DPOOL_DEFAULT));
    Com<IDirect3DSurface9> from(Level(staging.get()));
    Com<IDirect3DSurface9> onCard(Level(card.get()));
    ASSERT_EQ(device()->UpdateSurface(from.get(), nullptr, onCard.get(), nullptr), D3D_OK);
    Com<IDirect3DTexture9> target(MakeTexture(8, 4, 1, D3DUSAGE_RENDERTARGET, D3DFMT_A8R8G8B8, D3DPOOL_DEFAULT));
    Com<IDirect3DSurface9> to(Level(target.get()));
    ASSERT_EQ(device()->StretchRect(onCard.get(), nullptr, to.get(), nullptr, D3DTEXF_POINT), D3D_OK);

    const std::vector<D3DCOLOR> pixels = Read(to.get());
    const std::array<D3DCOLOR, 8> firstRow{0xFFFF0000, 0xFF0000FF, 0xFFAA0055, 0xFF5500AA,
                                           0xFF0000FF, 0xFFFF0000, 0xFF7F007F, 0x00000000};
    for (int x = 0; x < 8; ++x) EXPECT_EQ(pixels[x], firstRow[x]) << x;
    // Index 0 everywhere else in each block.
    EXPECT_EQ(pixels[3 * 8 + 3], 0xFFFF0000u);
    EXPECT_EQ(pixels[3 * 8 + 4], 0xFF0000FFu);
}

}  // namespace
}  // namespace d3d9_test
