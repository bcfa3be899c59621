// Textures from pictures on the layer's device: sizes, formats and texels
// after TRIANGLE scaling and NONE placement; mip chains, surface copies
// into render targets, filtering and normal maps.
#include "platform/d3dx9/device_fixture.h"
#include "platform/d3dx9/picture_files.h"

#include <png.h>

#include <cstdio>
#include <cstdlib>
#include <functional>
#include <fstream>

namespace d3d9_test {
namespace {

using d3dx9_test::Bytes;

struct Texel {
    UINT x, y;
    Bytes bytes;  // as stored in the texture's format
};

struct TextureCase {
    const char* name;
    std::function<Bytes()> file;
    UINT pictureWidth, pictureHeight;
    D3DFORMAT pictureFormat;
    UINT width, height;  // of the texture, for D3DX_DEFAULT
    D3DFORMAT format;
    std::vector<Texel> placed;  // with D3DX_FILTER_NONE
    std::vector<Texel> scaled;  // with D3DX_FILTER_TRIANGLE
    int tolerance = 0;
};

std::ostream& operator<<(std::ostream& out, const TextureCase& c) { return out << c.name; }

// Six by two pixels: three columns of the first colour, three of the second.
template <typename Pixel>
std::vector<BYTE> Halves(const Pixel& left, const Pixel& right, size_t rowPadding = 0) {
    std::vector<BYTE> rows;
    for (int y = 0; y < 2; ++y) {
        for (int x = 0; x < 6; ++x) {
            const Pixel& pixel = x < 3 ? left : right;
            rows.insert(rows.end(), std::begin(pixel), std::end(pixel));
        }
        rows.insert(rows.end(), rowPadding, 0);
    }
    return rows;
}

d3dx9_test::PngPicture Png(int type, Bytes rows) {
    d3dx9_test::PngPicture p;
    p.width = 6;
    p.height = 2;
    p.colourType = type;
    p.rows = std::move(rows);
    return p;
}

const BYTE kRgbRed[3] = {255, 0, 0}, kRgbBlue[3] = {0, 0, 255};
const BYTE kBgrRed[3] = {0, 0, 255}, kBgrBlue[3] = {255, 0, 0};
const BYTE kBgraRed[4] = {0, 0, 255, 255}, kBgraBlue[4] = {255, 0, 0, 255};
const BYTE kRgbaRed[4] = {255, 0, 0, 255}, kRgbaClearBlue[4] = {0, 0, 255, 0};
const BYTE kIndex0[1] = {0}, kIndex1[1] = {1};
const BYTE kDark[1] = {0x20}, kLight[1] = {0xE0};
const BYTE kUPlus[2] = {0x7F, 0}, kUMinus[2] = {0x81, 0};

// Texture texels, B, G, R, A.
const Bytes kRed = {0, 0, 255, 255}, kBlue = {255, 0, 0, 255}, kOpaqueBlack = {0, 0, 0, 255};
const Bytes kClear = {0, 0, 0, 0};
// Texel 4 of 8 from six columns: 1/8 of column 2 and 7/8 of column 3.
const Bytes kMostlyBlue = {223, 0, 32, 255};

// Opaque halves: NONE leaves black beyond the picture, TRIANGLE blends at texel 4.
std::vector<Texel> OpaquePlaced(const Bytes& beyond) {
    return {{0, 0, kRed}, {5, 1, kBlue}, {6, 0, beyond}};
}
std::vector<Texel> OpaqueScaled() { return {{1, 0, kRed}, {6, 1, kBlue}, {4, 0, kMostlyBlue}}; }

Bytes Block(WORD c0, WORD c1, DWORD indices) {
    return {BYTE(c0), BYTE(c0 >> 8), BYTE(c1), BYTE(c1 >> 8), BYTE(indices), BYTE(indices >> 8), BYTE(indices >> 16),
            BYTE(indices >> 24)};
}

const TextureCase kTextures[] = {
    {"png_rgb", [] { return EncodePng(Png(PNG_COLOR_TYPE_RGB, Halves(kRgbRed, kRgbBlue))); }, 6, 2, D3DFMT_R8G8B8,
     8, 2, D3DFMT_X8R8G8B8, OpaquePlaced(kOpaqueBlack), OpaqueScaled()},
    {"png_rgba", [] { return EncodePng(Png(PNG_COLOR_TYPE_RGB_ALPHA, Halves(kRgbaRed, kRgbaClearBlue))); }, 6, 2,
     D3DFMT_A8R8G8B8, 8, 2, D3DFMT_A8R8G8B8, {{0, 0, kRed}, {5, 1, {255, 0, 0, 0}}, {6, 0, kClear}},
     {{1, 0, kRed}, {4, 0, {223, 0, 32, 32}}}},
    {"png_palette", [] {
         auto p = Png(PNG_COLOR_TYPE_PALETTE, Halves(kIndex0, kIndex1));
         p.palette = {0xFF0000, 0x0000FF};
         return EncodePng(p);
     },
     6, 2, D3DFMT_P8, 8, 2, D3DFMT_A8R8G8B8, OpaquePlaced(kClear), OpaqueScaled()},
    {"png_grey", [] { return EncodePng(Png(PNG_COLOR_TYPE_GRAY, Halves(kDark, kLight))); }, 6, 2, D3DFMT_L8, 8, 2,
     D3DFMT_L8, {{0, 0, {0x20}}, {5, 0, {0xE0}}, {6, 0, {0}}}, {{1, 0, {0x20}}, {6, 0, {0xE0}}, {4, 0, {200}}}},
    {"jpeg", [] {
         d3dx9_test::JpegPicture p{12, 8, false, false, {}};
         for (int i = 0; i < 12 * 8; ++i) {
             bool left = i % 12 < 6;
             p.samples.insert(p.samples.end(), {BYTE(left ? 255 : 0), 0, BYTE(left ? 0 : 255)});
         }
         return EncodeJpeg(p);
     },
     12, 8, D3DFMT_X8R8G8B8, 16, 8, D3DFMT_X8R8G8B8, {{1, 1, kRed}, {10, 1, kBlue}, {13, 1, kOpaqueBlack}},
     {{2, 3, kRed}, {13, 3, kBlue}}, 16},
    {"bmp_24", [] {
         d3dx9_test::BmpPicture p{6, 2, 24, false, {}, {}, Halves(kBgrRed, kBgrBlue, 2)};
         return EncodeBmp(p);
     },
     6, 2, D3DFMT_R8G8B8, 8, 2, D3DFMT_X8R8G8B8, OpaquePlaced(kOpaqueBlack), OpaqueScaled()},
    {"bmp_8_palette", [] {
         d3dx9_test::BmpPicture p{6, 2, 8, false, {}, {0xFF0000, 0x0000FF}, Halves(kIndex0, kIndex1, 2)};
         return EncodeBmp(p);
     },
     6, 2, D3DFMT_P8, 8, 2, D3DFMT_A8R8G8B8, OpaquePlaced(kClear), OpaqueScaled()},
    {"dds_a8r8g8b8", [] { return EncodeDds(6, 2, 1, d3dx9_test::DdsArgb8(), Halves(kBgraRed, kBgraBlue)); }, 6, 2,
     D3DFMT_A8R8G8B8, 8, 2, D3DFMT_A8R8G8B8, OpaquePlaced(kClear), OpaqueScaled()},
    {"dds_dxt1", [] { return EncodeDds(4, 4, 1, d3dx9_test::DdsFourCc(D3DFMT_DXT1), Block(0xF800, 0x001F, 0xE4)); },
     4, 4, D3DFMT_DXT1, 4, 4, D3DFMT_DXT1, {{0, 0, Block(0xF800, 0x001F, 0xE4)}},
     {{0, 0, Block(0xF800, 0x001F, 0xE4)}}},
    {"dds_v8u8", [] { return EncodeDds(6, 2, 1, d3dx9_test::DdsV8U8(), Halves(kUPlus, kUMinus)); }, 6, 2,
     D3DFMT_V8U8, 8, 2, D3DFMT_V8U8, {{0, 0, {0x7F, 0}}, {5, 1, {0x81, 0}}, {6, 0, {0, 0}}},
     {{1, 0, {0x7F, 0}}, {4, 0, {0xA1, 0}}}},
};

class TextureFromPicture : public D3DXDeviceTest, public testing::WithParamInterface<TextureCase> {};

bool NearBytes(const Bytes& a, const Bytes& b, int tolerance) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        if (std::abs(int(a[i]) - int(b[i])) > tolerance) return false;
    }
    return true;
}

std::string Show(const Bytes& bytes) {
    std::string text;
    for (BYTE b : bytes) text += std::to_string(b) + " ";
    return text;
}

TEST_P(TextureFromPicture, TakesTheDefaultSizeFormatAndTexels) {
    const TextureCase& c = GetParam();
    Bytes file = c.file();
    for (DWORD filter : {DWORD{D3DX_FILTER_NONE}, DWORD{D3DX_FILTER_TRIANGLE}}) {
        SCOPED_TRACE(filter == D3DX_FILTER_NONE ? "NONE" : "TRIANGLE");
        D3DXIMAGE_INFO info{};
        Com<IDirect3DTexture9> texture;
        ASSERT_EQ(D3DXCreateTextureFromFileInMemoryEx(device(), file.data(), UINT(file.size()), D3DX_DEFAULT,
                                                      D3DX_DEFAULT, 1, 0, D3DFMT_UNKNOWN, D3DPOOL_MANAGED, filter,
                                                      D3DX_FILTER_NONE, 0, &info, nullptr, texture.out()),
                  D3D_OK);
        EXPECT_EQ(info.Width, c.pictureWidth);
        EXPECT_EQ(info.Height, c.pictureHeight);
        EXPECT_EQ(info.Format, c.pictureFormat);
        ASSERT_EQ(texture->GetLevelCount(), 1u);
        D3DSURFACE_DESC desc{};
        ASSERT_EQ(texture->GetLevelDesc(0, &desc), D3D_OK);
        EXPECT_EQ(desc.Width, c.width);
        EXPECT_EQ(desc.Height, c.height);
        EXPECT_EQ(desc.Format, c.format);
        EXPECT_EQ(desc.Pool, D3DPOOL_MANAGED);
        for (const Texel& t : filter == D3DX_FILTER_NONE ? c.placed : c.scaled) {
            Bytes actual = TexelBytes(texture.get(), 0, t.x, t.y);
            EXPECT_TRUE(NearBytes(actual, t.bytes, c.tolerance))
                << "texel " << t.x << "," << t.y << ": " << Show(actual) << "instead of " << Show(t.bytes);
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Pictures, TextureFromPicture, testing::ValuesIn(kTextures),
                         [](const auto& info) { return std::string(info.param.name); });

using D3DXTextures = D3DXDeviceTest;

// 100 x 50 in quadrants: red, green / blue, white.
void FillQuadrants(IDirect3DTexture9* texture) {
    D3DLOCKED_RECT locked{};
    ASSERT_EQ(texture->LockRect(0, &locked, nullptr, 0), D3D_OK);
    for (UINT y = 0; y < 50; ++y) {
        auto* row = reinterpret_cast<D3DCOLOR*>(static_cast<BYTE*>(locked.pBits) + y * locked.Pitch);
        for (UINT x = 0; x < 100; ++x) {
            static constexpr D3DCOLOR kQuadrants[4] = {0xFFFF0000, 0xFF00FF00, 0xFF0000FF, 0xFFFFFFFF};
            row[x] = kQuadrants[(y / 25) * 2 + x / 50];
        }
    }
    texture->UnlockRect(0);
}

TEST_F(D3DXTextures, ASurfaceCopyStretchesAManagedPictureOverARenderTarget) {
    Com<IDirect3DTexture9> picture, target;
    ASSERT_EQ(D3DXCreateTexture(device(), 100, 50, 1, 0, D3DFMT_A8R8G8B8, D3DPOOL_MANAGED, picture.out()), D3D_OK);
    FillQuadrants(picture.get());
    ASSERT_EQ(device()->CreateTexture(512, 512, 1, D3DUSAGE_RENDERTARGET, D3DFMT_A8R8G8B8, D3DPOOL_DEFAULT,
                                      target.out(), nullptr),
              D3D_OK);
    Com<IDirect3DSurface9> from, to;
    ASSERT_EQ(picture->GetSurfaceLevel(0, from.out()), D3D_OK);
    ASSERT_EQ(target->GetSurfaceLevel(0, to.out()), D3D_OK);
    ASSERT_EQ(D3DXLoadSurfaceFromSurface(to.get(), nullptr, nullptr, from.get(), nullptr, nullptr,
                                         D3DX_FILTER_TRIANGLE, 0),
              D3D_OK);

    Com<IDirect3DSurface9> readBack(Plain(512, 512));
    ASSERT_EQ(device()->GetRenderTargetData(to.get(), readBack.get()), D3D_OK);
    std::vector<D3DCOLOR> pixels = Pixels(readBack.get());
    auto at = [&](UINT x, UINT y) { return pixels[y * 512 + x]; };
    for (UINT y : {10u, 128u, 245u}) {
        EXPECT_EQ(at(10, y), 0xFFFF0000u);
        EXPECT_EQ(at(250, y), 0xFFFF0000u);
        EXPECT_EQ(at(262, y), 0xFF00FF00u);
        EXPECT_EQ(at(500, y), 0xFF00FF00u);
    }
    for (UINT y : {266u, 384u, 500u}) {
        EXPECT_EQ(at(10, y), 0xFF0000FFu);
        EXPECT_EQ(at(500, y), 0xFFFFFFFFu);
    }
    // Where the quadrants meet, the copy blends them.
    D3DCOLOR middle = at(256, 128);
    EXPECT_NE(middle, 0xFFFF0000u);
    EXPECT_NE(middle, 0xFF00FF00u);
}

TEST_F(D3DXTextures, CreateTextureSettlesLevelsAndFormats) {
    Com<IDirect3DTexture9> texture;
    ASSERT_EQ(D3DXCreateTexture(device(), 256, 64, 0, 0, D3DFMT_A8R8G8B8, D3DPOOL_MANAGED, texture.out()), D3D_OK);
    EXPECT_EQ(texture->GetLevelCount(), 9u);

    ASSERT_EQ(D3DXCreateTexture(device(), 512, 512, 1, 0, D3DFMT_R8G8B8, D3DPOOL_MANAGED, texture.out()), D3D_OK);
    D3DSURFACE_DESC desc{};
    texture->GetLevelDesc(0, &desc);
    EXPECT_EQ(desc.Format, D3DFMT_X8R8G8B8);

    ASSERT_EQ(D3DXCreateTexture(device(), D3DX_DEFAULT, D3DX_DEFAULT, 1, 0, D3DFMT_UNKNOWN, D3DPOOL_MANAGED,
                                texture.out()),
              D3D_OK);
    texture->GetLevelDesc(0, &desc);
    EXPECT_EQ(desc.Width, 256u);
    EXPECT_EQ(desc.Height, 256u);
    EXPECT_EQ(desc.Format, D3DFMT_A8R8G8B8);

    ASSERT_EQ(D3DXCreateTexture(device(), 60, 20, 1, 0, D3DFMT_P8, D3DPOOL_MANAGED, texture.out()), D3D_OK);
    texture->GetLevelDesc(0, &desc);
    EXPECT_EQ(desc.Format, D3DFMT_A8R8G8B8);
}

// Four by four: the left half 0, the right half 200, in every channel.
Bytes GreyHalvesPng() {
    d3dx9_test::PngPicture p;
    p.width = 4;
    p.height = 4;
    p.colourType = PNG_COLOR_TYPE_RGB_ALPHA;
    for (int i = 0; i < 16; ++i) p.rows.insert(p.rows.end(), 4, BYTE(i % 4 < 2 ? 0 : 200));
    return EncodePng(p);
}

TEST_F(D3DXTextures, MipChainsComeFromTheLevelAboveWithTheMipFilter) {
    Bytes file = GreyHalvesPng();
    Com<IDirect3DTexture9> texture;
    ASSERT_EQ(D3DXCreateTextureFromFileInMemory(device(), file.data(), UINT(file.size()), texture.out()), D3D_OK);
    ASSERT_EQ(texture->GetLevelCount(), 3u);
    EXPECT_EQ(TexelBytes(texture.get(), 1, 0, 0), (Bytes{0, 0, 0, 0}));
    EXPECT_EQ(TexelBytes(texture.get(), 1, 1, 1), (Bytes{200, 200, 200, 200}));
    EXPECT_EQ(TexelBytes(texture.get(), 2, 0, 0), (Bytes{100, 100, 100, 100}));

    // Without a mip filter the lower levels stay as created.
    ASSERT_EQ(D3DXCreateTextureFromFileInMemoryEx(device(), file.data(), UINT(file.size()), D3DX_DEFAULT,
                                                  D3DX_DEFAULT, D3DX_DEFAULT, 0, D3DFMT_UNKNOWN, D3DPOOL_MANAGED,
                                                  D3DX_FILTER_NONE, D3DX_FILTER_NONE, 0, nullptr, nullptr,
                                                  texture.out()),
              D3D_OK);
    ASSERT_EQ(texture->GetLevelCount(), 3u);
    EXPECT_EQ(TexelBytes(texture.get(), 1, 1, 1), (Bytes{0, 0, 0, 0}));
}

TEST_F(D3DXTextures, DdsLevelsComeFromTheFile) {
    Bytes data(4 * 4 * 4 + 2 * 2 * 4 + 4, 0);
    data[data.size() - 2] = 77;  // level 2: red 77, where filtering would give black
    Bytes file = EncodeDds(4, 4, 3, d3dx9_test::DdsArgb8(), data);
    Com<IDirect3DTexture9> texture;
    ASSERT_EQ(D3DXCreateTextureFromFileInMemoryEx(device(), file.data(), UINT(file.size()), D3DX_DEFAULT,
                                                  D3DX_DEFAULT, D3DX_DEFAULT, 0, D3DFMT_UNKNOWN, D3DPOOL_MANAGED,
                                                  D3DX_FILTER_NONE, D3DX_DEFAULT, 0, nullptr, nullptr,
                                                  texture.out()),
              D3D_OK);
    ASSERT_EQ(texture->GetLevelCount(), 3u);
    EXPECT_EQ(TexelBytes(texture.get(), 2, 0, 0), (Bytes{0, 0, 77, 0}));
}

TEST_F(D3DXTextures, FilterTextureRebuildsTheLowerLevels) {
    Com<IDirect3DTexture9> texture;
    ASSERT_EQ(D3DXCreateTexture(device(), 4, 4, 0, 0, D3DFMT_A8R8G8B8, D3DPOOL_MANAGED, texture.out()), D3D_OK);
    Com<IDirect3DSurface9> top;
    ASSERT_EQ(texture->GetSurfaceLevel(0, top.out()), D3D_OK);
    std::vector<D3DCOLOR> pixels(16);
    for (UINT i = 0; i < 16; ++i) pixels[i] = i % 4 < 2 ? 0xFF000000 : 0xFFC8C8C8;
    const RECT whole{0, 0, 4, 4};
    ASSERT_EQ(D3DXLoadSurfaceFromMemory(top.get(), nullptr, nullptr, pixels.data(), D3DFMT_A8R8G8B8, 16, nullptr,
                                        &whole, D3DX_FILTER_NONE, 0),
              D3D_OK);
    ASSERT_EQ(D3DXFilterTexture(texture.get(), nullptr, 0, D3DX_DEFAULT), D3D_OK);
    EXPECT_EQ(TexelBytes(texture.get(), 1, 0, 0), (Bytes{0, 0, 0, 255}));
    EXPECT_EQ(TexelBytes(texture.get(), 1, 1, 0), (Bytes{200, 200, 200, 255}));
    EXPECT_EQ(TexelBytes(texture.get(), 2, 0, 0), (Bytes{100, 100, 100, 255}));
    EXPECT_EQ(D3DXFilterTexture(texture.get(), nullptr, 3, D3DX_DEFAULT), D3DERR_INVALIDCALL);
    EXPECT_EQ(D3DXFilterTexture(texture.get(), nullptr, 0, 9), D3DERR_INVALIDCALL);
}

TEST_F(D3DXTextures, NormalMapsEncodeTheNormalInTheTargetFormat) {
    Com<IDirect3DTexture9> heights, signedMap, colourMap;
    ASSERT_EQ(D3DXCreateTexture(device(), 4, 4, 1, 0, D3DFMT_L8, D3DPOOL_MANAGED, heights.out()), D3D_OK);
    ASSERT_EQ(D3DXCreateTexture(device(), 4, 4, 1, 0, D3DFMT_V8U8, D3DPOOL_MANAGED, signedMap.out()), D3D_OK);
    ASSERT_EQ(D3DXCreateTexture(device(), 4, 4, 1, 0, D3DFMT_A8R8G8B8, D3DPOOL_MANAGED, colourMap.out()), D3D_OK);
    // A flat field: every normal points straight up.
    ASSERT_EQ(D3DXComputeNormalMap(signedMap.get(), heights.get(), nullptr, 0, D3DX_CHANNEL_LUMINANCE, 10.f), D3D_OK);
    ASSERT_EQ(D3DXComputeNormalMap(colourMap.get(), heights.get(), nullptr, 0, D3DX_CHANNEL_LUMINANCE, 10.f), D3D_OK);
    EXPECT_EQ(TexelBytes(signedMap.get(), 0, 2, 2), (Bytes{0, 0}));
    EXPECT_EQ(TexelBytes(colourMap.get(), 0, 2, 2), (Bytes{255, 128, 128, 255}));
    EXPECT_EQ(D3DXComputeNormalMap(colourMap.get(), heights.get(), nullptr, 0, 0, 1.f), D3DERR_INVALIDCALL);
}

TEST_F(D3DXTextures, PicturesThatCannotBeReadGiveInvalidData) {
    const Bytes junk = {'B', 'M', 1, 2, 3, 4, 5};
    Com<IDirect3DTexture9> texture;
    D3DXIMAGE_INFO info{};
    EXPECT_EQ(D3DXCreateTextureFromFileInMemoryEx(device(), junk.data(), UINT(junk.size()), D3DX_DEFAULT,
                                                  D3DX_DEFAULT, 1, 0, D3DFMT_UNKNOWN, D3DPOOL_MANAGED,
                                                  D3DX_FILTER_TRIANGLE, D3DX_FILTER_NONE, 0, &info, nullptr,
                                                  texture.out()),
              D3DXERR_INVALIDDATA);
    EXPECT_EQ(texture.get(), nullptr);
    EXPECT_EQ(D3DXCreateTextureFromFileExW(device(), L"C:\\nowhere\\picture.jpg", D3DX_DEFAULT, D3DX_DEFAULT, 1, 0,
                                           D3DFMT_UNKNOWN, D3DPOOL_MANAGED, D3DX_FILTER_TRIANGLE, D3DX_FILTER_NONE, 0,
                                           &info, nullptr, texture.out()),
              D3DXERR_INVALIDDATA);
    EXPECT_EQ(texture.get(), nullptr);
}

TEST_F(D3DXTextures, FilesLoadByTheirPath) {
    Bytes file = GreyHalvesPng();
    const std::string path = testing::TempDir() + "d3dx9_texture_test.png";
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(file.data()), std::streamsize(file.size()));
    std::wstring widePath(path.begin(), path.end());
    Com<IDirect3DTexture9> texture;
    D3DXIMAGE_INFO info{};
    ASSERT_EQ(D3DXCreateTextureFromFileExW(device(), widePath.c_str(), D3DX_DEFAULT, D3DX_DEFAULT, 1, 0,
                                           D3DFMT_UNKNOWN, D3DPOOL_MANAGED, D3DX_FILTER_TRIANGLE, D3DX_FILTER_NONE, 0,
                                           &info, nullptr, texture.out()),
              D3D_OK);
    EXPECT_EQ(info.ImageFileFormat, D3DXIFF_PNG);
    EXPECT_EQ(TexelBytes(texture.get(), 0, 3, 0), (Bytes{200, 200, 200, 200}));
    std::remove(path.c_str());
}

}  // namespace
}  // namespace d3d9_test
