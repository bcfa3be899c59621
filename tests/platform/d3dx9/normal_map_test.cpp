// D3DXComputeNormalMap's maths on small height fields.
#include "d3dx9/normal_map.h"
#include "platform/d3dx9/image_checks.h"

#include <d3dx9.h>
#include <gtest/gtest.h>

#include <cmath>

namespace {

using namespace d3dx9_test;
using platform::d3dx9::ComputeNormals;
using platform::d3dx9::Image8;

// Heights along x in red (alpha carries noise that must not count).
Image8 Ramp(std::vector<BYTE> reds) {
    Image8 image(UINT(reds.size()), 1);
    for (UINT x = 0; x < image.width; ++x) {
        image.Pixel(x, 0)[2] = reds[x];
        image.Pixel(x, 0)[3] = BYTE(x * 97);
    }
    return image;
}

TEST(NormalMap, AFlatFieldPointsUp) {
    Image8 flat(3, 3);
    auto normals = ComputeNormals(flat, 0, D3DX_CHANNEL_RED, 5.f, true);
    EXPECT_TRUE(Near(PixelAt(normals, 1, 1), {0, 0, 1, 1}, 1e-6f));
    auto encoded = ComputeNormals(flat, 0, D3DX_CHANNEL_RED, 5.f, false);
    EXPECT_TRUE(Near(PixelAt(encoded, 1, 1), {0.5f, 0.5f, 1, 1}, 1e-6f));
}

TEST(NormalMap, ASlopeTiltsTheNormalAgainstTheRiseScaledByTheAmplitude) {
    // Central difference at x = 2: (153 - 51) / 255 = 0.4; times amplitude 2.5 gives 1.
    auto normals = ComputeNormals(Ramp({0, 51, 102, 153, 204}), 0, D3DX_CHANNEL_RED, 2.5f, true);
    float s = 1 / std::sqrt(2.f);
    EXPECT_TRUE(Near(PixelAt(normals, 2, 0), {-s, 0, s, 1}, 1e-5f)) << PixelAt(normals, 2, 0);
    auto inverted =
        ComputeNormals(Ramp({0, 51, 102, 153, 204}), D3DX_NORMALMAP_INVERTSIGN, D3DX_CHANNEL_RED, 2.5f, true);
    EXPECT_TRUE(Near(PixelAt(inverted, 2, 0), {s, 0, s, 1}, 1e-5f));
}

TEST(NormalMap, EdgesWrapUnlessMirrored) {
    Image8 ramp = Ramp({0, 51, 102, 153, 204});
    auto wrapped = ComputeNormals(ramp, 0, D3DX_CHANNEL_RED, 1.f, true);
    auto mirrored = ComputeNormals(ramp, D3DX_NORMALMAP_MIRROR_U, D3DX_CHANNEL_RED, 1.f, true);
    // Wrapped, the left neighbour of x = 0 is the high end: the slope falls.
    EXPECT_GT(PixelAt(wrapped, 0, 0).r, 0.f);
    EXPECT_FLOAT_EQ(PixelAt(mirrored, 0, 0).r, 0.f);
}

TEST(NormalMap, HeightsComeOnlyFromTheNamedChannels) {
    Image8 image = Ramp({0, 51, 102, 153, 204});
    auto fromGreen = ComputeNormals(image, 0, D3DX_CHANNEL_GREEN, 1.f, true);
    EXPECT_TRUE(Near(PixelAt(fromGreen, 2, 0), {0, 0, 1, 1}, 1e-6f));
    auto fromLuminance = ComputeNormals(image, 0, D3DX_CHANNEL_LUMINANCE, 1.f, true);
    EXPECT_LT(PixelAt(fromLuminance, 2, 0).r, 0.f);
}

}  // namespace
