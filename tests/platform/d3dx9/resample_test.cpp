// D3DX's filters on small pictures with known answers.
#include "d3dx9/resample.h"
#include "platform/d3dx9/image_checks.h"

#include <gtest/gtest.h>

namespace {

using namespace d3dx9_test;
using platform::d3dx9::Image8;
using platform::d3dx9::ImageF;
using platform::d3dx9::NextMipLevel;
using platform::d3dx9::Pixels;
using platform::d3dx9::Resample;

// A grey row: every channel of pixel x is values[x], alpha 255.
Image8 GreyRow(std::vector<BYTE> values) {
    Image8 image(UINT(values.size()), 1);
    for (UINT x = 0; x < image.width; ++x) {
        BYTE* p = image.Pixel(x, 0);
        p[0] = p[1] = p[2] = values[x];
        p[3] = 255;
    }
    return image;
}

std::vector<float> RedRow(const Pixels& pixels) {
    std::vector<float> reds;
    for (UINT x = 0; x < WidthOf(pixels); ++x) reds.push_back(PixelAt(pixels, x, 0).r);
    return reds;
}

struct FilterCase {
    const char* name;
    std::vector<BYTE> source;
    UINT width;
    DWORD filter;
    std::vector<float> expected;
};

std::ostream& operator<<(std::ostream& out, const FilterCase& c) { return out << c.name; }

const FilterCase kFilterCases[] = {
    // Magnifying: a tent one source pixel wide; off the edge the picture
    // wraps round unless mirrored.
    {"triangle_up_mirror", {0, 255}, 4, D3DX_FILTER_TRIANGLE | D3DX_FILTER_MIRROR, {0, 64, 191, 255}},
    {"triangle_up_wraps", {0, 255}, 4, D3DX_FILTER_TRIANGLE, {64, 64, 191, 191}},
    {"linear_up_equals_triangle", {0, 255}, 4, D3DX_FILTER_LINEAR | D3DX_FILTER_MIRROR_U, {0, 64, 191, 255}},
    // Minifying: TRIANGLE spans a destination pixel, LINEAR only the two nearest.
    {"triangle_down", {0, 40, 200, 240}, 2, D3DX_FILTER_TRIANGLE | D3DX_FILTER_MIRROR, {40, 200}},
    {"linear_down", {0, 40, 200, 240}, 2, D3DX_FILTER_LINEAR | D3DX_FILTER_MIRROR, {20, 220}},
    {"box_down", {0, 40, 200, 240}, 2, D3DX_FILTER_BOX, {20, 220}},
    {"box_down_by_three", {30, 60, 90, 0, 0, 255}, 2, D3DX_FILTER_BOX, {60, 85}},
    {"point_up", {10, 20}, 4, D3DX_FILTER_POINT, {10, 10, 20, 20}},
    {"point_down", {10, 20, 30, 40}, 2, D3DX_FILTER_POINT, {20, 40}},
    // NONE does not scale: the picture stays at the left, black beyond.
    {"none_wider", {10, 20}, 4, D3DX_FILTER_NONE, {10, 20, 0, 0}},
    {"none_narrower", {10, 20, 30}, 2, D3DX_FILTER_NONE, {10, 20}},
    {"same_size_any_filter", {10, 20, 30}, 3, D3DX_FILTER_TRIANGLE | D3DX_FILTER_DITHER, {10, 20, 30}},
};

class FilterRow : public testing::TestWithParam<FilterCase> {};

TEST_P(FilterRow, GivesTheFiltersValues) {
    const FilterCase& c = GetParam();
    Pixels result = Resample(GreyRow(c.source), c.width, 1, c.filter);
    ASSERT_EQ(WidthOf(result), c.width);
    EXPECT_EQ(RedRow(result), c.expected);
}

INSTANTIATE_TEST_SUITE_P(Filters, FilterRow, testing::ValuesIn(kFilterCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(Filters, NonePlacesThePictureUnscaledAtTheTopLeftOnTransparentBlack) {
    Image8 source(3, 2);
    for (size_t i = 0; i < source.samples.size(); ++i) source.samples[i] = BYTE(i + 1);
    Pixels placed = Resample(source, 4, 4, D3DX_FILTER_NONE);
    for (UINT y = 0; y < 4; ++y) {
        for (UINT x = 0; x < 4; ++x) {
            Rgba expected{0, 0, 0, 0};
            if (x < 3 && y < 2) expected = PixelAt(source, x, y);
            EXPECT_TRUE(Near(PixelAt(placed, x, y), expected, 0)) << x << "," << y;
        }
    }
}

TEST(Filters, TriangleKeepsAFlatPictureFlatUpToAPowerOfTwo) {
    // A 100 x 50 picture into 128 x 64: every weight sums to one, edges included.
    Image8 flat(100, 50);
    for (size_t i = 0; i < flat.samples.size(); i += 4) {
        flat.samples[i] = 37, flat.samples[i + 1] = 200, flat.samples[i + 2] = 90, flat.samples[i + 3] = 255;
    }
    Pixels scaled = Resample(flat, 128, 64, D3DX_FILTER_TRIANGLE);
    for (UINT y = 0; y < 64; ++y) {
        for (UINT x = 0; x < 128; ++x) ASSERT_TRUE(Near(PixelAt(scaled, x, y), {90, 200, 37, 255}, 0)) << x << "," << y;
    }
}

TEST(Filters, TriangleStretchesEachQuadrantOverItsShare) {
    // Quadrants of 10 x 5 pixels stretched to 64 x 64: well inside each
    // quadrant the colour is the quadrant's.
    Image8 source(20, 10);
    for (UINT y = 0; y < 10; ++y) {
        for (UINT x = 0; x < 20; ++x) {
            BYTE* p = source.Pixel(x, y);
            p[2] = x < 10 ? 255 : 0;
            p[1] = y < 5 ? 255 : 0;
            p[3] = 255;
        }
    }
    Pixels scaled = Resample(source, 64, 64, D3DX_FILTER_TRIANGLE);
    EXPECT_TRUE(Near(PixelAt(scaled, 16, 16), {255, 255, 0, 255}, 0));
    EXPECT_TRUE(Near(PixelAt(scaled, 48, 16), {0, 255, 0, 255}, 0));
    EXPECT_TRUE(Near(PixelAt(scaled, 16, 48), {255, 0, 0, 255}, 0));
    EXPECT_TRUE(Near(PixelAt(scaled, 48, 48), {0, 0, 0, 255}, 0));
    // Across the middle the colours blend.
    float middle = PixelAt(scaled, 32, 16).r;
    EXPECT_GT(middle, 0);
    EXPECT_LT(middle, 255);
}

TEST(Filters, SignedPicturesKeepTheirSign) {
    ImageF source(2, 1);
    source.Pixel(0, 0)[2] = -1.f;
    source.Pixel(1, 0)[2] = 0.5f;
    Pixels half = Resample(source, 1, 1, D3DX_FILTER_BOX);
    EXPECT_FLOAT_EQ(PixelAt(half, 0, 0).r, -0.25f);
}

TEST(Filters, MipLevelsHalveDownToOnePixel) {
    Image8 source(5, 3);
    for (size_t i = 0; i < source.samples.size(); ++i) source.samples[i] = 100;
    Pixels level = source;
    std::vector<std::pair<UINT, UINT>> sizes;
    while (WidthOf(level) > 1 || HeightOf(level) > 1) {
        level = NextMipLevel(level, D3DX_FILTER_BOX);
        sizes.emplace_back(WidthOf(level), HeightOf(level));
        EXPECT_TRUE(Near(PixelAt(level, 0, 0), {100, 100, 100, 100}, 0));
    }
    EXPECT_EQ(sizes, (std::vector<std::pair<UINT, UINT>>{{2, 1}, {1, 1}}));
}

TEST(Filters, BoxMipAveragesEachTwoByTwoBlock) {
    Image8 source(4, 2);
    const BYTE reds[8] = {0, 100, 10, 20, 50, 250, 30, 40};
    for (UINT i = 0; i < 8; ++i) source.Pixel(i % 4, i / 4)[2] = reds[i];
    Pixels level = NextMipLevel(source, D3DX_FILTER_BOX);
    EXPECT_EQ(RedRow(level), (std::vector<float>{100, 25}));
}

}  // namespace
