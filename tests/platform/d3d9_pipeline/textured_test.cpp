// Drawing with textures: texel-exact copies under the half-pixel rule
// (also through a render target), filtering between texels, culling into a
// render target, bump environment mapping, generated coordinates with a
// texture transform, and FVF 0x302 read with its short stride.
#include <d3dx9math.h>

#include <cstring>
#include <functional>

#include "platform/d3d9_pipeline/pipeline_fixture.h"

namespace d3d9_test {
namespace {

constexpr UINT kWidth = 64, kHeight = 48;

// FVF 0x144: target pixels, diffuse, one coordinate pair.
struct TexturedVertex {
    float x, y, z, rhw;
    D3DCOLOR diffuse;
    float u, v;
};
constexpr DWORD kTexturedFvf = D3DFVF_XYZRHW | D3DFVF_DIFFUSE | D3DFVF_TEX1;

// Every texel its own colour.
D3DCOLOR Pattern(UINT x, UINT y) { return 0xFF000000 | (x * 4) << 16 | (y * 5) << 8 | ((x ^ y) * 3); }

class TexturedTest : public PipelineTest {
protected:
    TexturedTest() : PipelineTest(kWidth, kHeight) {}

    IDirect3DTexture9* MakeTexture(UINT width, UINT height, const std::function<D3DCOLOR(UINT, UINT)>& texel,
                                   D3DFORMAT format = D3DFMT_A8R8G8B8) {
        IDirect3DTexture9* texture = nullptr;
        EXPECT_EQ(device()->CreateTexture(width, height, 1, 0, format, D3DPOOL_MANAGED, &texture, nullptr), D3D_OK);
        D3DLOCKED_RECT locked{};
        EXPECT_EQ(texture->LockRect(0, &locked, nullptr, 0), D3D_OK);
        for (UINT y = 0; y < height; ++y) {
            BYTE* row = static_cast<BYTE*>(locked.pBits) + static_cast<size_t>(y) * locked.Pitch;
            for (UINT x = 0; x < width; ++x) {
                const D3DCOLOR value = texel(x, y);
                if (format == D3DFMT_V8U8) std::memcpy(row + x * 2, &value, 2);
                else std::memcpy(row + x * 4, &value, 4);
            }
        }
        EXPECT_EQ(texture->UnlockRect(0), D3D_OK);
        return texture;
    }
    // A rectangle covering [left, right) × [top, bottom) with coordinates 0 to 1.
    void DrawTextured(float left, float top, float right, float bottom) {
        const TexturedVertex quad[] = {{left, bottom, 0.f, 1.f, 0xFFFFFFFF, 0.f, 1.f},
                                       {left, top, 0.f, 1.f, 0xFFFFFFFF, 0.f, 0.f},
                                       {right, bottom, 0.f, 1.f, 0xFFFFFFFF, 1.f, 1.f},
                                       {right, top, 0.f, 1.f, 0xFFFFFFFF, 1.f, 0.f}};
        ASSERT_EQ(device()->SetFVF(kTexturedFvf), D3D_OK);
        ASSERT_EQ(device()->DrawPrimitiveUP(D3DPT_TRIANGLESTRIP, 2, quad, sizeof quad[0]), D3D_OK);
    }
    void DrawCopy() { DrawTextured(-0.5f, -0.5f, kWidth - 0.5f, kHeight - 0.5f); }
    void Linear(DWORD sampler) {
        ASSERT_EQ(device()->SetSamplerState(sampler, D3DSAMP_MINFILTER, D3DTEXF_LINEAR), D3D_OK);
        ASSERT_EQ(device()->SetSamplerState(sampler, D3DSAMP_MAGFILTER, D3DTEXF_LINEAR), D3D_OK);
    }
    static testing::AssertionResult IsPattern(const std::vector<D3DCOLOR>& pixels) {
        for (UINT y = 0; y < kHeight; ++y) {
            for (UINT x = 0; x < kWidth; ++x) {
                if (pixels[y * kWidth + x] != (Pattern(x, y) & 0xFFFFFF)) {
                    return testing::AssertionFailure() << "first difference at " << x << ", " << y;
                }
            }
        }
        return testing::AssertionSuccess();
    }
};

TEST_F(TexturedTest, HalfPixelOffsetQuadCopiesTexelForTexel) {
    Com<IDirect3DTexture9> texture(MakeTexture(kWidth, kHeight, Pattern));
    ASSERT_EQ(device()->SetTexture(0, texture.get()), D3D_OK);
    DrawCopy();
    EXPECT_TRUE(IsPattern(Pixels())) << "point sampling";
    Linear(0);
    DrawCopy();
    EXPECT_TRUE(IsPattern(Pixels())) << "linear filtering hits texel centres";
}

TEST_F(TexturedTest, CopyThroughARenderTargetAndBackStaysUpright) {
    Com<IDirect3DTexture9> texture(MakeTexture(kWidth, kHeight, Pattern));
    Com<IDirect3DTexture9> target;
    ASSERT_EQ(device()->CreateTexture(kWidth, kHeight, 1, D3DUSAGE_RENDERTARGET, D3DFMT_A8R8G8B8, D3DPOOL_DEFAULT,
                                      target.out(), nullptr),
              D3D_OK);
    Com<IDirect3DSurface9> targetSurface, backBuffer, depth;
    ASSERT_EQ(target->GetSurfaceLevel(0, targetSurface.out()), D3D_OK);
    ASSERT_EQ(device()->GetRenderTarget(0, backBuffer.out()), D3D_OK);
    ASSERT_EQ(device()->GetDepthStencilSurface(depth.out()), D3D_OK);

    ASSERT_EQ(device()->SetRenderTarget(0, targetSurface.get()), D3D_OK);
    ASSERT_EQ(device()->SetDepthStencilSurface(nullptr), D3D_OK);
    ASSERT_EQ(device()->SetTexture(0, texture.get()), D3D_OK);
    DrawCopy();
    EXPECT_TRUE(IsPattern(TargetPixels(targetSurface.get()))) << "in the render target";

    ASSERT_EQ(device()->SetRenderTarget(0, backBuffer.get()), D3D_OK);
    ASSERT_EQ(device()->SetTexture(0, target.get()), D3D_OK);
    DrawCopy();
    EXPECT_TRUE(IsPattern(Pixels())) << "sampled back from it";
    ASSERT_EQ(device()->SetDepthStencilSurface(depth.get()), D3D_OK);
}

TEST_F(TexturedTest, SetRenderTargetResetsTheViewportAndNullIsRefused) {
    Com<IDirect3DTexture9> target;
    ASSERT_EQ(device()->CreateTexture(8, 4, 1, D3DUSAGE_RENDERTARGET, D3DFMT_A8R8G8B8, D3DPOOL_DEFAULT, target.out(),
                                      nullptr),
              D3D_OK);
    Com<IDirect3DSurface9> surface;
    ASSERT_EQ(target->GetSurfaceLevel(0, surface.out()), D3D_OK);
    const D3DVIEWPORT9 small{1, 1, 2, 2, 0.f, 1.f};
    ASSERT_EQ(device()->SetViewport(&small), D3D_OK);
    ASSERT_EQ(device()->SetRenderTarget(0, surface.get()), D3D_OK);
    D3DVIEWPORT9 viewport{};
    ASSERT_EQ(device()->GetViewport(&viewport), D3D_OK);
    EXPECT_EQ(viewport.X, 0u);
    EXPECT_EQ(viewport.Width, 8u);
    EXPECT_EQ(viewport.Height, 4u);
    EXPECT_EQ(device()->SetRenderTarget(0, nullptr), D3DERR_INVALIDCALL);
    Com<IDirect3DSurface9> current;
    ASSERT_EQ(device()->GetRenderTarget(0, current.out()), D3D_OK);
    EXPECT_EQ(current.get(), surface.get());
    Com<IDirect3DSurface9> backBuffer;
    ASSERT_EQ(device()->GetBackBuffer(0, 0, D3DBACKBUFFER_TYPE_MONO, backBuffer.out()), D3D_OK);
    ASSERT_EQ(device()->SetRenderTarget(0, backBuffer.get()), D3D_OK);
}

TEST_F(TexturedTest, UnshiftedQuadWithLinearFilteringSamplesBetweenTexels) {
    // Black and white columns: every pixel centre falls between two of them.
    Com<IDirect3DTexture9> texture(
        MakeTexture(kWidth, kHeight, [](UINT x, UINT) { return x % 2 ? 0xFFFFFFFF : 0xFF000000; }));
    ASSERT_EQ(device()->SetTexture(0, texture.get()), D3D_OK);
    Linear(0);
    DrawTextured(0.f, 0.f, kWidth, kHeight);
    EXPECT_TRUE(ColoursNear(Pixel(5, 5), 0x808080));
    EXPECT_TRUE(ColoursNear(Pixel(30, 20), 0x808080));
    DrawCopy();
    EXPECT_EQ(Pixel(5, 5), 0xFFFFFFu);
    EXPECT_EQ(Pixel(30, 20), 0u);
}

TEST_F(TexturedTest, CullingIntoARenderTargetFollowsTheScreenWinding) {
    Com<IDirect3DTexture9> target;
    ASSERT_EQ(device()->CreateTexture(16, 16, 1, D3DUSAGE_RENDERTARGET, D3DFMT_A8R8G8B8, D3DPOOL_DEFAULT,
                                      target.out(), nullptr),
              D3D_OK);
    Com<IDirect3DSurface9> surface, backBuffer;
    ASSERT_EQ(target->GetSurfaceLevel(0, surface.out()), D3D_OK);
    ASSERT_EQ(device()->GetRenderTarget(0, backBuffer.out()), D3D_OK);
    ASSERT_EQ(device()->SetRenderTarget(0, surface.get()), D3D_OK);
    ASSERT_EQ(device()->SetDepthStencilSurface(nullptr), D3D_OK);
    for (const DWORD mode : {D3DCULL_CCW, D3DCULL_CW}) {
        SCOPED_TRACE(mode);
        ASSERT_EQ(device()->Clear(0, nullptr, D3DCLEAR_TARGET, 0, 1.f, 0), D3D_OK);
        ASSERT_EQ(device()->SetRenderState(D3DRS_CULLMODE, mode), D3D_OK);
        DrawWindings();
        const auto pixels = TargetPixels(surface.get());
        EXPECT_EQ(pixels[2 * 16 + 1], mode == D3DCULL_CCW ? 0xFFFFFFu : 0u) << "clockwise";
        EXPECT_EQ(pixels[2 * 16 + 9], mode == D3DCULL_CW ? 0xFFFFFFu : 0u) << "counter-clockwise";
    }
    ASSERT_EQ(device()->SetRenderTarget(0, backBuffer.get()), D3D_OK);
}

// A grey ramp across 16 columns, for shifts measured in texels.
D3DCOLOR Ramp(UINT x, UINT) { return 0xFF000000 | (x * 16) * 0x010101; }

class BumpTest : public TexturedTest {
protected:
    void SetUp() override {
        TexturedTest::SetUp();
        *ramp_.out() = MakeTexture(16, 16, Ramp);
    }
    void TearDown() override {
        ramp_.Reset();  // before the device and its window go
        TexturedTest::TearDown();
    }
    // Stage 0 bumps with a constant (du, dv) texture, stage 1 shows the ramp.
    void Bump(IDirect3DTexture9* bumpMap, float m00, DWORD op = D3DTOP_BUMPENVMAP) {
        ASSERT_EQ(device()->SetTexture(0, bumpMap), D3D_OK);
        ASSERT_EQ(device()->SetTexture(1, ramp_.get()), D3D_OK);
        ASSERT_EQ(device()->SetTextureStageState(0, D3DTSS_COLOROP, op), D3D_OK);
        ASSERT_EQ(device()->SetTextureStageState(0, D3DTSS_BUMPENVMAT00, FloatBits(m00)), D3D_OK);
        ASSERT_EQ(device()->SetTextureStageState(0, D3DTSS_BUMPENVMAT11, FloatBits(0.f)), D3D_OK);
        ASSERT_EQ(device()->SetTextureStageState(1, D3DTSS_COLOROP, D3DTOP_SELECTARG1), D3D_OK);
        ASSERT_EQ(device()->SetTextureStageState(1, D3DTSS_COLORARG1, D3DTA_TEXTURE), D3D_OK);
        ASSERT_EQ(device()->SetTextureStageState(1, D3DTSS_TEXCOORDINDEX, 0), D3D_OK);
        DrawTextured(-0.5f, -0.5f, 15.5f, 15.5f);
    }
    Com<IDirect3DTexture9> ramp_;
};

TEST_F(BumpTest, ConstantOffsetShiftsByThePredictedTexels) {
    struct {
        const char* name;
        D3DFORMAT format;
        D3DCOLOR texel;
        int shift;
    } const cases[] = {
        // Unsigned maps give their raw channel values: red 1.0 moves by the matrix.
        {"A8R8G8B8", D3DFMT_A8R8G8B8, 0xFFFF0000, 2},
        // Signed: U = -127 is -1.0.
        {"V8U8", D3DFMT_V8U8, 0x0081, -2},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Com<IDirect3DTexture9> bumpMap(MakeTexture(16, 16, [&](UINT, UINT) { return c.texel; }, c.format));
        Bump(bumpMap.get(), 2.f / 16.f);
        for (UINT x = 0; x < 16; ++x) {
            const UINT source = static_cast<UINT>((static_cast<int>(x) + c.shift + 16) % 16);
            EXPECT_EQ(Pixel(x, 7), (Ramp(source, 0) & 0xFFFFFF)) << "pixel " << x;
        }
    }
}

TEST_F(TexturedTest, SignedTexelsSaturateBeforeTheNextStage) {
    // U = -1 in red is kept as 0, so adding the factor gives the factor's red.
    Com<IDirect3DTexture9> map(MakeTexture(16, 16, [](UINT, UINT) { return 0x0081; }, D3DFMT_V8U8));
    ASSERT_EQ(device()->SetTexture(0, map.get()), D3D_OK);
    ASSERT_EQ(device()->SetRenderState(D3DRS_TEXTUREFACTOR, 0xFF806000), D3D_OK);
    ASSERT_EQ(device()->SetTextureStageState(0, D3DTSS_COLOROP, D3DTOP_SELECTARG1), D3D_OK);
    ASSERT_EQ(device()->SetTextureStageState(1, D3DTSS_COLOROP, D3DTOP_ADD), D3D_OK);
    ASSERT_EQ(device()->SetTextureStageState(1, D3DTSS_COLORARG1, D3DTA_CURRENT), D3D_OK);
    ASSERT_EQ(device()->SetTextureStageState(1, D3DTSS_COLORARG2, D3DTA_TFACTOR), D3D_OK);
    DrawCopy();
    EXPECT_TRUE(ColoursNear(Pixel(10, 10), 0x8060FF));
}

TEST_F(BumpTest, CurrentAfterTheBumpStageIsWhatTheStageBeforeItMade) {
    Com<IDirect3DTexture9> bumpMap(MakeTexture(16, 16, [](UINT, UINT) { return 0xFF000000; }));
    Com<IDirect3DTexture9> white(MakeTexture(16, 16, [](UINT, UINT) { return 0xFFFFFFFF; }));
    ASSERT_EQ(device()->SetRenderState(D3DRS_TEXTUREFACTOR, 0xFF3060C0), D3D_OK);
    ASSERT_EQ(device()->SetTextureStageState(0, D3DTSS_COLOROP, D3DTOP_SELECTARG1), D3D_OK);
    ASSERT_EQ(device()->SetTextureStageState(0, D3DTSS_COLORARG1, D3DTA_TFACTOR), D3D_OK);
    ASSERT_EQ(device()->SetTextureStageState(0, D3DTSS_ALPHAARG1, D3DTA_TFACTOR), D3D_OK);
    ASSERT_EQ(device()->SetTexture(1, bumpMap.get()), D3D_OK);
    ASSERT_EQ(device()->SetTextureStageState(1, D3DTSS_COLOROP, D3DTOP_BUMPENVMAP), D3D_OK);
    ASSERT_EQ(device()->SetTexture(2, white.get()), D3D_OK);
    ASSERT_EQ(device()->SetTextureStageState(2, D3DTSS_COLOROP, D3DTOP_MODULATE), D3D_OK);
    ASSERT_EQ(device()->SetTextureStageState(2, D3DTSS_COLORARG1, D3DTA_TEXTURE), D3D_OK);
    ASSERT_EQ(device()->SetTextureStageState(2, D3DTSS_COLORARG2, D3DTA_CURRENT), D3D_OK);
    ASSERT_EQ(device()->SetTextureStageState(1, D3DTSS_TEXCOORDINDEX, 0), D3D_OK);
    ASSERT_EQ(device()->SetTextureStageState(2, D3DTSS_TEXCOORDINDEX, 0), D3D_OK);
    DrawCopy();
    EXPECT_TRUE(ColoursNear(Pixel(10, 10), 0x3060C0));
}

TEST_F(BumpTest, LuminanceScalesTheNextStagesTexture) {
    // Blue 0x80 · scale 1 + offset 0: about half the ramp's brightness.
    Com<IDirect3DTexture9> bumpMap(MakeTexture(16, 16, [](UINT, UINT) { return 0xFF000080; }));
    ASSERT_EQ(device()->SetTextureStageState(0, D3DTSS_BUMPENVLSCALE, FloatBits(1.f)), D3D_OK);
    ASSERT_EQ(device()->SetTextureStageState(0, D3DTSS_BUMPENVLOFFSET, FloatBits(0.f)), D3D_OK);
    Bump(bumpMap.get(), 0.f, D3DTOP_BUMPENVMAPLUMINANCE);
    EXPECT_TRUE(ColoursNear(Pixel(10, 7), 0x505050));
}

TEST_F(TexturedTest, AddressModesOutsideZeroToOne) {
    // Red then green texel; u runs 0 to 2 across 16 pixels, four to a texel.
    Com<IDirect3DTexture9> texture(MakeTexture(2, 1, [](UINT x, UINT) { return x ? 0xFF00FF00 : 0xFFFF0000; }));
    ASSERT_EQ(device()->SetTexture(0, texture.get()), D3D_OK);
    ASSERT_EQ(device()->SetSamplerState(0, D3DSAMP_BORDERCOLOR, 0xFF0000FF), D3D_OK);
    struct {
        DWORD mode;
        D3DCOLOR third, fourth;  // texels 2 and 3 of the run
    } const cases[] = {{D3DTADDRESS_WRAP, 0xFF0000, 0x00FF00},
                       {D3DTADDRESS_MIRROR, 0x00FF00, 0xFF0000},
                       {D3DTADDRESS_CLAMP, 0x00FF00, 0x00FF00},
                       {D3DTADDRESS_BORDER, 0x0000FF, 0x0000FF}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.mode);
        ASSERT_EQ(device()->SetSamplerState(0, D3DSAMP_ADDRESSU, c.mode), D3D_OK);
        const TexturedVertex quad[] = {{-0.5f, 15.5f, 0.f, 1.f, 0xFFFFFFFF, 0.f, 1.f},
                                       {-0.5f, -0.5f, 0.f, 1.f, 0xFFFFFFFF, 0.f, 0.f},
                                       {15.5f, 15.5f, 0.f, 1.f, 0xFFFFFFFF, 2.f, 1.f},
                                       {15.5f, -0.5f, 0.f, 1.f, 0xFFFFFFFF, 2.f, 0.f}};
        ASSERT_EQ(device()->SetFVF(kTexturedFvf), D3D_OK);
        ASSERT_EQ(device()->DrawPrimitiveUP(D3DPT_TRIANGLESTRIP, 2, quad, sizeof quad[0]), D3D_OK);
        EXPECT_EQ(Pixel(1, 4), 0xFF0000u);
        EXPECT_EQ(Pixel(5, 4), 0x00FF00u);
        EXPECT_EQ(Pixel(9, 4), c.third);
        EXPECT_EQ(Pixel(13, 4), c.fourth);
    }
}

TEST_F(TexturedTest, CameraSpacePositionWithATextureTransform) {
    Com<IDirect3DTexture9> texture(MakeTexture(kWidth, kHeight, Pattern));
    D3DXMATRIX projection;
    D3DXMatrixOrthoOffCenterLH(&projection, 0.f, kWidth, kHeight, 0.f, -1.f, 1.f);
    ASSERT_EQ(device()->SetTransform(D3DTS_PROJECTION, &projection), D3D_OK);
    // Camera x, y in target pixels to texel centres: u = (x + 0.5) / 64, v = (y + 0.5) / 48.
    D3DMATRIX toTexels = Identity();
    toTexels.m[0][0] = 1.f / kWidth;
    toTexels.m[1][1] = 1.f / kHeight;
    toTexels.m[3][0] = 0.5f / kWidth;
    toTexels.m[3][1] = 0.5f / kHeight;
    ASSERT_EQ(device()->SetTransform(D3DTS_TEXTURE0, &toTexels), D3D_OK);
    ASSERT_EQ(device()->SetTextureStageState(0, D3DTSS_TEXCOORDINDEX, D3DTSS_TCI_CAMERASPACEPOSITION), D3D_OK);
    ASSERT_EQ(device()->SetTextureStageState(0, D3DTSS_TEXTURETRANSFORMFLAGS, D3DTTFF_COUNT2), D3D_OK);
    ASSERT_EQ(device()->SetTexture(0, texture.get()), D3D_OK);
    ASSERT_EQ(device()->SetRenderState(D3DRS_LIGHTING, FALSE), D3D_OK);
    struct Vertex {
        float x, y, z;
        D3DCOLOR diffuse;
    };
    const Vertex quad[] = {{-0.5f, kHeight - 0.5f, 0.f, 0xFFFFFFFF},
                           {-0.5f, -0.5f, 0.f, 0xFFFFFFFF},
                           {kWidth - 0.5f, kHeight - 0.5f, 0.f, 0xFFFFFFFF},
                           {kWidth - 0.5f, -0.5f, 0.f, 0xFFFFFFFF}};
    ASSERT_EQ(device()->SetFVF(D3DFVF_XYZ | D3DFVF_DIFFUSE), D3D_OK);
    ASSERT_EQ(device()->DrawPrimitiveUP(D3DPT_TRIANGLESTRIP, 2, quad, sizeof quad[0]), D3D_OK);
    EXPECT_TRUE(IsPattern(Pixels()));
}

// FVF 0x302 declares three coordinate pairs; the stride of 28 holds two.
struct TwoPairVertex {
    float x, y, z;
    float u0, v0, u1, v1;
};
static_assert(sizeof(TwoPairVertex) == 28);

TEST_F(TexturedTest, Fvf302WithStride28ReadsNothingPastItsBuffer) {
    Com<IDirect3DTexture9> white(MakeTexture(4, 4, [](UINT, UINT) { return 0xFFFFFFFF; }));
    // Left half red, right half green: set 1 picks the half.
    Com<IDirect3DTexture9> halves(MakeTexture(4, 4, [](UINT x, UINT) { return x < 2 ? 0xFFFF0000 : 0xFF00FF00; }));
    D3DXMATRIX projection;
    D3DXMatrixOrthoOffCenterLH(&projection, 0.f, kWidth, kHeight, 0.f, -1.f, 1.f);
    ASSERT_EQ(device()->SetTransform(D3DTS_PROJECTION, &projection), D3D_OK);
    ASSERT_EQ(device()->SetRenderState(D3DRS_LIGHTING, FALSE), D3D_OK);
    ASSERT_EQ(device()->SetTexture(0, white.get()), D3D_OK);
    ASSERT_EQ(device()->SetTexture(1, halves.get()), D3D_OK);
    ASSERT_EQ(device()->SetTextureStageState(1, D3DTSS_COLOROP, D3DTOP_MODULATE), D3D_OK);
    ASSERT_EQ(device()->SetTextureStageState(1, D3DTSS_TEXCOORDINDEX, 1), D3D_OK);
    const TwoPairVertex strip[] = {{0.f, 48.f, 0.f, 0.f, 1.f, 0.8f, 0.5f},
                                   {0.f, 0.f, 0.f, 0.f, 0.f, 0.8f, 0.5f},
                                   {64.f, 48.f, 0.f, 1.f, 1.f, 0.8f, 0.5f},
                                   {64.f, 0.f, 0.f, 1.f, 0.f, 0.8f, 0.5f}};
    Com<IDirect3DVertexBuffer9> buffer;
    ASSERT_EQ(device()->CreateVertexBuffer(sizeof strip, D3DUSAGE_WRITEONLY, 0x302, D3DPOOL_MANAGED, buffer.out(),
                                           nullptr),
              D3D_OK);
    void* data = nullptr;
    ASSERT_EQ(buffer->Lock(0, 0, &data, 0), D3D_OK);
    std::memcpy(data, strip, sizeof strip);
    ASSERT_EQ(buffer->Unlock(), D3D_OK);
    ASSERT_EQ(device()->SetFVF(0x302), D3D_OK);
    ASSERT_EQ(device()->SetStreamSource(0, buffer.get(), 0, sizeof(TwoPairVertex)), D3D_OK);
    ASSERT_EQ(device()->DrawPrimitive(D3DPT_TRIANGLESTRIP, 0, 2), D3D_OK);
    EXPECT_EQ(Pixel(10, 10), 0x00FF00u);

    // From a pointer: exactly four vertices on the heap, for the sanitizers.
    auto copy = std::make_unique<TwoPairVertex[]>(4);
    std::memcpy(copy.get(), strip, sizeof strip);
    for (int i = 0; i < 4; ++i) copy[i].u1 = 0.2f;
    ASSERT_EQ(device()->DrawPrimitiveUP(D3DPT_TRIANGLESTRIP, 2, copy.get(), sizeof(TwoPairVertex)), D3D_OK);
    EXPECT_EQ(Pixel(10, 10), 0xFF0000u);

    // The third pair would run past the last vertex: refused, not read.
    ASSERT_EQ(device()->SetStreamSource(0, buffer.get(), 0, sizeof(TwoPairVertex)), D3D_OK);
    ASSERT_EQ(device()->SetTextureStageState(1, D3DTSS_TEXCOORDINDEX, 2), D3D_OK);
    EXPECT_EQ(device()->DrawPrimitive(D3DPT_TRIANGLESTRIP, 0, 2), D3DERR_INVALIDCALL);
    EXPECT_EQ(device()->DrawPrimitive(D3DPT_TRIANGLESTRIP, 0, 3), D3DERR_INVALIDCALL) << "past the buffer";
}

TEST_F(TexturedTest, DeviceKeepsASetTextureAliveWithoutKeepingItself) {
    IDirect3DTexture9* texture = MakeTexture(4, 4, [](UINT, UINT) { return 0xFF00FF00; });
    ASSERT_EQ(device()->SetTexture(0, texture), D3D_OK);
    EXPECT_EQ(texture->Release(), 0u) << "the application's last reference";
    IDirect3DBaseTexture9* back = nullptr;
    ASSERT_EQ(device()->GetTexture(0, &back), D3D_OK);
    EXPECT_EQ(back, texture);
    EXPECT_EQ(back->Release(), 0u);
    DrawCopy();
    EXPECT_EQ(Pixel(20, 20), 0x00FF00u) << "still drawn with";
    // The device then goes with the texture still set (TearDown): nothing leaks.
}

}  // namespace
}  // namespace d3d9_test
