// Each format samples to Direct3D's values: a texture of one texel value
// drawn texel for texel into a render target.
#include <array>
#include <cstdlib>
#include <cstring>

#include "platform/d3d9_resources/resource_fixture.h"

namespace d3d9_test {
namespace {

struct TexturedVertex {
    float x, y, z, rhw, u, v;
};
constexpr DWORD kTexturedFvf = D3DFVF_XYZRHW | D3DFVF_TEX1;

struct SampleCase {
    const char* name;
    D3DFORMAT format;
    std::vector<BYTE> texel;  // one texel, or one 4 x 4 block
    D3DCOLOR expected;
};

class SamplingTest : public ResourceTest {
protected:
    // A managed 4 x 4 texture of one texel (or one block) repeated.
    IDirect3DTexture9* UniformTexture(D3DFORMAT format, const std::vector<BYTE>& texel) {
        IDirect3DTexture9* texture = MakeTexture(4, 4, 1, 0, format, D3DPOOL_MANAGED);
        D3DLOCKED_RECT locked{};
        EXPECT_EQ(texture->LockRect(0, &locked, nullptr, 0), D3D_OK);
        const UINT repeats = texel.size() == 8 ? 1 : 4;
        for (UINT y = 0; y < repeats; ++y) {
            for (UINT x = 0; x < repeats; ++x) {
                std::memcpy(static_cast<BYTE*>(locked.pBits) + y * locked.Pitch + x * texel.size(), texel.data(),
                            texel.size());
            }
        }
        texture->UnlockRect(0);
        return texture;
    }
    // Draws a texel-for-texel quad into a 4 x 4 target; one pixel of it.
    D3DCOLOR DrawnPixel() {
        Com<IDirect3DTexture9> target(MakeTarget(4, 4, std::vector<D3DCOLOR>(16, 0)));
        Com<IDirect3DSurface9> surface(Level(target.get()));
        EXPECT_EQ(device()->SetRenderTarget(0, surface.get()), D3D_OK);
        EXPECT_EQ(device()->SetDepthStencilSurface(nullptr), D3D_OK);
        EXPECT_EQ(device()->SetFVF(kTexturedFvf), D3D_OK);
        const TexturedVertex quad[] = {{-0.5f, -0.5f, 0.f, 1.f, 0.f, 0.f},
                                       {3.5f, -0.5f, 0.f, 1.f, 1.f, 0.f},
                                       {-0.5f, 3.5f, 0.f, 1.f, 0.f, 1.f},
                                       {3.5f, 3.5f, 0.f, 1.f, 1.f, 1.f}};
        EXPECT_EQ(device()->DrawPrimitiveUP(D3DPT_TRIANGLESTRIP, 2, quad, sizeof(TexturedVertex)), D3D_OK);
        return Read(surface.get())[5];
    }
};

testing::AssertionResult ChannelsNear(D3DCOLOR actual, D3DCOLOR expected) {
    for (int shift = 0; shift < 32; shift += 8) {
        if (std::abs(static_cast<int>(actual >> shift & 0xFF) - static_cast<int>(expected >> shift & 0xFF)) > 1) {
            return testing::AssertionFailure() << testing::PrintToString(std::array{actual, expected})
                                               << " (drawn, expected) differ in the byte at bit " << shift;
        }
    }
    return testing::AssertionSuccess();
}

class FormatSamplingTest : public SamplingTest, public testing::WithParamInterface<SampleCase> {};

TEST_P(FormatSamplingTest, SampledColourIsDirect3Ds) {
    const SampleCase& c = GetParam();
    Com<IDirect3DTexture9> texture(UniformTexture(c.format, c.texel));
    ASSERT_EQ(device()->SetTexture(0, texture.get()), D3D_OK);
    EXPECT_TRUE(ChannelsNear(DrawnPixel(), c.expected));
}

// Two stages sample two textures: uploading the second leaves the first
// bound where drawing put it.
TEST_F(SamplingTest, StagesSampleTheirOwnTextures) {
    Com<IDirect3DTexture9> grey(UniformTexture(D3DFMT_L8, {0x80}));
    Com<IDirect3DTexture9> yellow(UniformTexture(D3DFMT_A8R8G8B8, {0x00, 0xFF, 0xFF, 0xFF}));
    ASSERT_EQ(device()->SetTexture(0, grey.get()), D3D_OK);
    ASSERT_EQ(device()->SetTexture(1, yellow.get()), D3D_OK);
    device()->SetTextureStageState(1, D3DTSS_COLOROP, D3DTOP_MODULATE);
    device()->SetTextureStageState(1, D3DTSS_COLORARG1, D3DTA_TEXTURE);
    device()->SetTextureStageState(1, D3DTSS_COLORARG2, D3DTA_CURRENT);
    device()->SetTextureStageState(1, D3DTSS_TEXCOORDINDEX, 0);
    EXPECT_TRUE(ChannelsNear(DrawnPixel(), 0xFF808000));
}

// V8U8 and V16U16: (du, dv) in the first two components, the others 1; a
// negative dv reaches the 8-bit target as 0.
INSTANTIATE_TEST_SUITE_P(
    Formats, FormatSamplingTest,
    testing::Values(SampleCase{"A8R8G8B8", D3DFMT_A8R8G8B8, {0x00, 0x40, 0xFF, 0x80}, 0x80FF4000},
                    SampleCase{"X8R8G8B8", D3DFMT_X8R8G8B8, {0x56, 0x34, 0x12, 0x00}, 0xFF123456},
                    SampleCase{"R5G6B5", D3DFMT_R5G6B5, {0x00, 0xF8}, 0xFFFF0000},
                    SampleCase{"X1R5G5B5", D3DFMT_X1R5G5B5, {0x1F, 0x00}, 0xFF0000FF},
                    SampleCase{"A1R5G5B5", D3DFMT_A1R5G5B5, {0xE0, 0x03}, 0x0000FF00},
                    SampleCase{"A4R4G4B4", D3DFMT_A4R4G4B4, {0x00, 0x8F}, 0x88FF0000},
                    SampleCase{"L8", D3DFMT_L8, {0x40}, 0xFF404040},
                    SampleCase{"A8", D3DFMT_A8, {0x80}, 0x80000000},
                    SampleCase{"A8L8", D3DFMT_A8L8, {0x40, 0x80}, 0x80404040},
                    SampleCase{"V8U8", D3DFMT_V8U8, {0x40, 0xC0}, 0xFF8000FF},
                    SampleCase{"V16U16", D3DFMT_V16U16, {0x00, 0x40, 0x00, 0x00}, 0xFF8000FF},
                    SampleCase{"DXT1", D3DFMT_DXT1, {0x00, 0xF8, 0x1F, 0x00, 0, 0, 0, 0}, 0xFFFF0000}),
    [](const testing::TestParamInfo<SampleCase>& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace d3d9_test
