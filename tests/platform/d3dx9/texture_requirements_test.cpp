// Sizes, level counts and formats that D3DX settles on before creating a
// texture.
#include "d3d9/formats.h"
#include "d3dx9/texture_requirements.h"

#include <d3dx9.h>
#include <gtest/gtest.h>

namespace {

using platform::d3dx9::TextureFormat;
using platform::d3dx9::TextureLevels;
using platform::d3dx9::TextureSide;

struct SideCase {
    const char* name;
    UINT requested, picture, max;
    bool powerOfTwoOnly;
    D3DFORMAT format;
    UINT expected;
};

std::ostream& operator<<(std::ostream& out, const SideCase& c) { return out << c.name; }

const SideCase kSides[] = {
    {"default_rounds_up", D3DX_DEFAULT, 100, 4096, false, D3DFMT_X8R8G8B8, 128},
    {"default_keeps_a_power_of_two", D3DX_DEFAULT, 128, 4096, false, D3DFMT_X8R8G8B8, 128},
    {"zero_is_default", 0, 1920, 4096, false, D3DFMT_X8R8G8B8, 2048},
    {"default_without_picture", D3DX_DEFAULT, 0, 4096, false, D3DFMT_A8R8G8B8, 256},
    {"nonpow2_keeps_the_size", D3DX_DEFAULT_NONPOW2, 100, 4096, false, D3DFMT_X8R8G8B8, 100},
    {"nonpow2_on_a_pow2_device", D3DX_DEFAULT_NONPOW2, 100, 4096, true, D3DFMT_X8R8G8B8, 128},
    {"explicit_kept", 100, 640, 4096, false, D3DFMT_X8R8G8B8, 100},
    {"explicit_on_a_pow2_device", 100, 640, 4096, true, D3DFMT_X8R8G8B8, 128},
    {"limited_by_the_device", D3DX_DEFAULT, 5000, 4096, false, D3DFMT_X8R8G8B8, 4096},
    {"dxt_whole_blocks", D3DX_DEFAULT_NONPOW2, 101, 4096, false, D3DFMT_DXT1, 104},
};

class TextureSides : public testing::TestWithParam<SideCase> {};

TEST_P(TextureSides, FollowD3dx) {
    const SideCase& c = GetParam();
    EXPECT_EQ(TextureSide(c.requested, c.picture, c.max, c.powerOfTwoOnly, c.format), c.expected);
}

INSTANTIATE_TEST_SUITE_P(Requirements, TextureSides, testing::ValuesIn(kSides),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(TextureLevels, ZeroAndDefaultMakeTheFullChainOthersAreCapped) {
    EXPECT_EQ(TextureLevels(0, 512, 256, 1), 10u);
    EXPECT_EQ(TextureLevels(D3DX_DEFAULT, 1, 1, 1), 1u);
    EXPECT_EQ(TextureLevels(D3DX_DEFAULT, 100, 3, 1), 7u);
    EXPECT_EQ(TextureLevels(3, 512, 512, 1), 3u);
    EXPECT_EQ(TextureLevels(20, 16, 4, 1), 5u);
    EXPECT_EQ(TextureLevels(D3DX_FROM_FILE, 64, 64, 4), 4u);
    EXPECT_EQ(TextureLevels(D3DX_FROM_FILE, 64, 64, 0), 1u);
}

// What the layer's device takes: no R8G8B8, no palettes, no 16-bit channels.
bool DeviceTakes(D3DFORMAT format) { return platform::d3d9::IsTextureFormat(format, true); }

struct FormatCase {
    const char* name;
    D3DFORMAT requested, picture, expected;
};

std::ostream& operator<<(std::ostream& out, const FormatCase& c) { return out << c.name; }

const FormatCase kFormats[] = {
    {"jpeg_picture", D3DFMT_UNKNOWN, D3DFMT_X8R8G8B8, D3DFMT_X8R8G8B8},
    {"rgb_picture_without_alpha", D3DFMT_UNKNOWN, D3DFMT_R8G8B8, D3DFMT_X8R8G8B8},
    {"picture_with_alpha", D3DFMT_UNKNOWN, D3DFMT_A8R8G8B8, D3DFMT_A8R8G8B8},
    {"palette_picture", D3DFMT_UNKNOWN, D3DFMT_P8, D3DFMT_A8R8G8B8},
    {"grey_picture", D3DFMT_UNKNOWN, D3DFMT_L8, D3DFMT_L8},
    {"grey_16bit_picture", D3DFMT_UNKNOWN, D3DFMT_L16, D3DFMT_L8},
    {"deep_picture", D3DFMT_UNKNOWN, D3DFMT_A16B16G16R16, D3DFMT_A8R8G8B8},
    {"dxt_picture", D3DFMT_UNKNOWN, D3DFMT_DXT5, D3DFMT_DXT5},
    {"grey_alpha_picture", D3DFMT_UNKNOWN, D3DFMT_A8L8, D3DFMT_A8L8},
    {"no_picture", D3DFMT_UNKNOWN, D3DFMT_UNKNOWN, D3DFMT_A8R8G8B8},
    {"requested_wins", D3DFMT_R5G6B5, D3DFMT_A8R8G8B8, D3DFMT_R5G6B5},
    {"requested_rgb_replaced", D3DFMT_R8G8B8, D3DFMT_UNKNOWN, D3DFMT_X8R8G8B8},
    {"bump_picture", D3DFMT_UNKNOWN, D3DFMT_V8U8, D3DFMT_V8U8},
};

class TextureFormats : public testing::TestWithParam<FormatCase> {};

TEST_P(TextureFormats, ComeFromThePictureAndTheDevice) {
    const FormatCase& c = GetParam();
    EXPECT_EQ(TextureFormat(c.requested, c.picture, DeviceTakes), c.expected);
}

INSTANTIATE_TEST_SUITE_P(Requirements, TextureFormats, testing::ValuesIn(kFormats),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(TextureFormats, RefusedFormatsFallToTheirNearestNeighbours) {
    auto only = [](std::initializer_list<D3DFORMAT> taken) {
        return [taken](D3DFORMAT f) { return std::find(taken.begin(), taken.end(), f) != taken.end(); };
    };
    EXPECT_EQ(TextureFormat(D3DFMT_V16U16, D3DFMT_UNKNOWN, only({D3DFMT_V8U8, D3DFMT_A8R8G8B8})), D3DFMT_V8U8);
    EXPECT_EQ(TextureFormat(D3DFMT_X8R8G8B8, D3DFMT_UNKNOWN, only({D3DFMT_R5G6B5, D3DFMT_A4R4G4B4})), D3DFMT_R5G6B5);
    EXPECT_EQ(TextureFormat(D3DFMT_A8, D3DFMT_UNKNOWN, only({D3DFMT_A8R8G8B8})), D3DFMT_A8R8G8B8);
    EXPECT_EQ(TextureFormat(D3DFMT_DXT1, D3DFMT_UNKNOWN, only({D3DFMT_A4R4G4B4})), D3DFMT_A4R4G4B4);
    EXPECT_EQ(TextureFormat(D3DFMT_V8U8, D3DFMT_UNKNOWN, only({D3DFMT_A8R8G8B8})), D3DFMT_UNKNOWN);
}

}  // namespace
