// Textures: what creation accepts, the chain of levels, Direct3D's memory
// layout under LockRect, the lock rules, references, and Reset.
#include <cstring>
#include <tuple>

#include "d3d9/resource_hold.h"
#include "platform/d3d9_resources/resource_fixture.h"

namespace d3d9_test {
namespace {

using TextureTest = ResourceTest;

struct CreationCase {
    const char* name;
    UINT width, height, levels;
    DWORD usage;
    D3DFORMAT format;
    D3DPOOL pool;
    HRESULT expected;
};

class TextureCreationTest : public ResourceTest, public testing::WithParamInterface<CreationCase> {};

TEST_P(TextureCreationTest, FollowsDirect3DRules) {
    const CreationCase& c = GetParam();
    IDirect3DTexture9* texture = reinterpret_cast<IDirect3DTexture9*>(1);
    EXPECT_EQ(device()->CreateTexture(c.width, c.height, c.levels, c.usage, c.format, c.pool, &texture, nullptr),
              c.expected);
    Com<IDirect3DTexture9> held(texture);
    EXPECT_EQ(texture != nullptr, SUCCEEDED(c.expected));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, TextureCreationTest,
    testing::Values(
        CreationCase{"Managed", 64, 32, 1, 0, D3DFMT_A8R8G8B8, D3DPOOL_MANAGED, D3D_OK},
        CreationCase{"SystemMemory", 16, 16, 0, 0, D3DFMT_L8, D3DPOOL_SYSTEMMEM, D3D_OK},
        CreationCase{"RenderTarget", 64, 64, 1, D3DUSAGE_RENDERTARGET, D3DFMT_A8R8G8B8, D3DPOOL_DEFAULT, D3D_OK},
        CreationCase{"Dynamic", 8, 8, 1, D3DUSAGE_DYNAMIC, D3DFMT_V8U8, D3DPOOL_DEFAULT, D3D_OK},
        CreationCase{"BumpWide", 8, 8, 1, 0, D3DFMT_V16U16, D3DPOOL_MANAGED, D3D_OK},
        CreationCase{"Dxt", 8, 4, 1, 0, D3DFMT_DXT5, D3DPOOL_MANAGED, D3D_OK},
        CreationCase{"ManagedRenderTarget", 64, 64, 1, D3DUSAGE_RENDERTARGET, D3DFMT_A8R8G8B8, D3DPOOL_MANAGED,
                     D3DERR_INVALIDCALL},
        CreationCase{"SystemMemoryRenderTarget", 64, 64, 1, D3DUSAGE_RENDERTARGET, D3DFMT_A8R8G8B8,
                     D3DPOOL_SYSTEMMEM, D3DERR_INVALIDCALL},
        CreationCase{"DynamicManaged", 8, 8, 1, D3DUSAGE_DYNAMIC, D3DFMT_A8R8G8B8, D3DPOOL_MANAGED,
                     D3DERR_INVALIDCALL},
        CreationCase{"DynamicRenderTarget", 8, 8, 1, D3DUSAGE_DYNAMIC | D3DUSAGE_RENDERTARGET, D3DFMT_A8R8G8B8,
                     D3DPOOL_DEFAULT, D3DERR_INVALIDCALL},
        CreationCase{"DepthUsage", 8, 8, 1, D3DUSAGE_DEPTHSTENCIL, D3DFMT_D16, D3DPOOL_DEFAULT, D3DERR_INVALIDCALL},
        CreationCase{"Rgb24", 8, 8, 1, 0, D3DFMT_R8G8B8, D3DPOOL_MANAGED, D3DERR_INVALIDCALL},
        CreationCase{"Palette", 8, 8, 1, 0, D3DFMT_P8, D3DPOOL_MANAGED, D3DERR_INVALIDCALL},
        CreationCase{"LuminanceRenderTarget", 8, 8, 1, D3DUSAGE_RENDERTARGET, D3DFMT_L8, D3DPOOL_DEFAULT,
                     D3DERR_INVALIDCALL},
        CreationCase{"DxtNotWholeBlocks", 6, 8, 1, 0, D3DFMT_DXT1, D3DPOOL_MANAGED, D3DERR_INVALIDCALL},
        CreationCase{"TooManyLevels", 16, 16, 6, 0, D3DFMT_A8R8G8B8, D3DPOOL_MANAGED, D3DERR_INVALIDCALL},
        CreationCase{"ZeroWidth", 0, 16, 1, 0, D3DFMT_A8R8G8B8, D3DPOOL_MANAGED, D3DERR_INVALIDCALL},
        CreationCase{"TooWide", 16384, 16, 1, 0, D3DFMT_A8R8G8B8, D3DPOOL_MANAGED, D3DERR_INVALIDCALL}),
    [](const testing::TestParamInfo<CreationCase>& info) { return std::string(info.param.name); });

TEST_F(TextureTest, ZeroLevelsMakeTheFullChainDownToOnePixel) {
    Com<IDirect3DTexture9> texture(MakeTexture(64, 16, 0, 0, D3DFMT_A8R8G8B8, D3DPOOL_MANAGED));
    ASSERT_EQ(texture->GetLevelCount(), 7u);
    const std::pair<UINT, UINT> sizes[] = {{64, 16}, {32, 8}, {16, 4}, {8, 2}, {4, 1}, {2, 1}, {1, 1}};
    for (UINT level = 0; level < 7; ++level) {
        D3DSURFACE_DESC desc{};
        ASSERT_EQ(texture->GetLevelDesc(level, &desc), D3D_OK);
        EXPECT_EQ(desc.Width, sizes[level].first) << level;
        EXPECT_EQ(desc.Height, sizes[level].second) << level;
        EXPECT_EQ(desc.Format, D3DFMT_A8R8G8B8);
        EXPECT_EQ(desc.Pool, D3DPOOL_MANAGED);
        EXPECT_EQ(desc.Type, D3DRTYPE_SURFACE);
    }
    D3DSURFACE_DESC desc{};
    EXPECT_EQ(texture->GetLevelDesc(7, &desc), D3DERR_INVALIDCALL);
    IDirect3DSurface9* surface = nullptr;
    EXPECT_EQ(texture->GetSurfaceLevel(7, &surface), D3DERR_INVALIDCALL);
}

struct LayoutCase {
    D3DFORMAT format;
    INT pitch;           // of a 12-pixel-wide level
    UINT unitBytes;      // per pixel, or per 4 x 4 block
    UINT unitSize;       // pixels per unit side
};

class LockLayoutTest : public ResourceTest, public testing::WithParamInterface<LayoutCase> {};

// Every byte written under one lock reads back under the next, and a
// sub-rectangle starts at Direct3D's offset into the same rows.
TEST_P(LockLayoutTest, RoundTripsWithDirect3DPitchAndOffsets) {
    const LayoutCase& c = GetParam();
    Com<IDirect3DTexture9> texture(MakeTexture(12, 8, 2, 0, c.format, D3DPOOL_MANAGED));
    ASSERT_NE(texture.get(), nullptr);
    const UINT rowBytes = 12 / c.unitSize * c.unitBytes;
    const UINT rows = 8 / c.unitSize;
    const auto pattern = [](UINT row, UINT byte) { return static_cast<BYTE>(row * 37 + byte * 3 + 1); };

    D3DLOCKED_RECT locked{};
    ASSERT_EQ(texture->LockRect(0, &locked, nullptr, 0), D3D_OK);
    EXPECT_EQ(locked.Pitch, c.pitch);
    auto* bits = static_cast<BYTE*>(locked.pBits);
    for (UINT row = 0; row < rows; ++row) {
        for (UINT byte = 0; byte < rowBytes; ++byte) bits[row * locked.Pitch + byte] = pattern(row, byte);
    }
    ASSERT_EQ(texture->UnlockRect(0), D3D_OK);

    const RECT corner{4, 4, 12, 8};
    ASSERT_EQ(texture->LockRect(0, &locked, &corner, D3DLOCK_READONLY), D3D_OK);
    EXPECT_EQ(locked.Pitch, c.pitch);
    const UINT firstRow = 4 / c.unitSize, firstByte = 4 / c.unitSize * c.unitBytes;
    bits = static_cast<BYTE*>(locked.pBits);
    for (UINT row = 0; row < rows - firstRow; ++row) {
        for (UINT byte = 0; byte < rowBytes - firstByte; ++byte) {
            ASSERT_EQ(bits[row * locked.Pitch + byte], pattern(firstRow + row, firstByte + byte)) << row << "," << byte;
        }
    }
    ASSERT_EQ(texture->UnlockRect(0), D3D_OK);

    // The next level is half as wide, with its own pitch.
    ASSERT_EQ(texture->LockRect(1, &locked, nullptr, 0), D3D_OK);
    const UINT halfRow = (6 + c.unitSize - 1) / c.unitSize * c.unitBytes;
    EXPECT_EQ(locked.Pitch, static_cast<INT>((halfRow + 3) & ~3u));
    EXPECT_EQ(texture->UnlockRect(1), D3D_OK);
}

INSTANTIATE_TEST_SUITE_P(Formats, LockLayoutTest,
                         testing::Values(LayoutCase{D3DFMT_A8R8G8B8, 48, 4, 1}, LayoutCase{D3DFMT_X8R8G8B8, 48, 4, 1},
                                         LayoutCase{D3DFMT_R5G6B5, 24, 2, 1}, LayoutCase{D3DFMT_X1R5G5B5, 24, 2, 1},
                                         LayoutCase{D3DFMT_A1R5G5B5, 24, 2, 1}, LayoutCase{D3DFMT_A4R4G4B4, 24, 2, 1},
                                         LayoutCase{D3DFMT_A8, 12, 1, 1}, LayoutCase{D3DFMT_L8, 12, 1, 1},
                                         LayoutCase{D3DFMT_A8L8, 24, 2, 1}, LayoutCase{D3DFMT_V8U8, 24, 2, 1},
                                         LayoutCase{D3DFMT_V16U16, 48, 4, 1}, LayoutCase{D3DFMT_DXT1, 24, 8, 4},
                                         LayoutCase{D3DFMT_DXT3, 48, 16, 4}, LayoutCase{D3DFMT_DXT5, 48, 16, 4}));

// Packed pixels as Direct3D stores them come out of GL as the same
// colours: the upload reads Direct3D's bit layout, not GL's.
struct PackedCase {
    D3DFORMAT format;
    DWORD stored;
    D3DCOLOR expected;
    D3DCOLOR compared;  // bits of the read-back that the format defines
};

class PackedPixelTest : public ResourceTest, public testing::WithParamInterface<PackedCase> {};

TEST_P(PackedPixelTest, UploadsWithDirect3DBitLayout) {
    const PackedCase& c = GetParam();
    Com<IDirect3DTexture9> texture(MakeTexture(4, 4, 1, D3DUSAGE_DYNAMIC, c.format, D3DPOOL_DEFAULT));
    D3DLOCKED_RECT locked{};
    ASSERT_EQ(texture->LockRect(0, &locked, nullptr, D3DLOCK_DISCARD), D3D_OK);
    D3DSURFACE_DESC desc{};
    texture->GetLevelDesc(0, &desc);
    const UINT bytes = c.format == D3DFMT_A8R8G8B8 || c.format == D3DFMT_X8R8G8B8 ? 4 : 2;
    for (UINT y = 0; y < 4; ++y) {
        for (UINT x = 0; x < 4; ++x) {
            std::memcpy(static_cast<BYTE*>(locked.pBits) + y * locked.Pitch + x * bytes, &c.stored, bytes);
        }
    }
    ASSERT_EQ(texture->UnlockRect(0), D3D_OK);
    Com<IDirect3DTexture9> target(MakeTexture(4, 4, 1, D3DUSAGE_RENDERTARGET, D3DFMT_A8R8G8B8, D3DPOOL_DEFAULT));
    Com<IDirect3DSurface9> from(Level(texture.get()));
    Com<IDirect3DSurface9> to(Level(target.get()));
    ASSERT_EQ(device()->StretchRect(from.get(), nullptr, to.get(), nullptr, D3DTEXF_POINT), D3D_OK);
    for (D3DCOLOR pixel : Read(to.get())) ASSERT_EQ(pixel & c.compared, c.expected & c.compared);
}

INSTANTIATE_TEST_SUITE_P(Formats, PackedPixelTest,
                         testing::Values(PackedCase{D3DFMT_A8R8G8B8, 0x80FF4000, 0x80FF4000, 0xFFFFFFFF},
                                         PackedCase{D3DFMT_X8R8G8B8, 0x0000FF80, 0x0000FF80, 0x00FFFFFF},
                                         PackedCase{D3DFMT_R5G6B5, 0xF800, 0x00FF0000, 0x00FFFFFF},
                                         PackedCase{D3DFMT_R5G6B5, 0x07E0, 0x0000FF00, 0x00FFFFFF},
                                         PackedCase{D3DFMT_A1R5G5B5, 0x801F, 0xFF0000FF, 0xFFFFFFFF},
                                         PackedCase{D3DFMT_A1R5G5B5, 0x7C00, 0x00FF0000, 0xFFFFFFFF},
                                         PackedCase{D3DFMT_X1R5G5B5, 0x03E0, 0x0000FF00, 0x00FFFFFF},
                                         PackedCase{D3DFMT_A4R4G4B4, 0xF0F0, 0xFF00FF00, 0xFFFFFFFF},
                                         PackedCase{D3DFMT_A4R4G4B4, 0x0F0F, 0x00FF00FF, 0xFFFFFFFF}));

TEST_F(TextureTest, LocksAreRefusedWhereDirect3DRefusesThem) {
    D3DLOCKED_RECT locked{};
    Com<IDirect3DTexture9> target(MakeTexture(8, 8, 1, D3DUSAGE_RENDERTARGET, D3DFMT_A8R8G8B8, D3DPOOL_DEFAULT));
    EXPECT_EQ(target->LockRect(0, &locked, nullptr, 0), D3DERR_INVALIDCALL);
    Com<IDirect3DTexture9> card(MakeTexture(8, 8, 1, 0, D3DFMT_A8R8G8B8, D3DPOOL_DEFAULT));
    EXPECT_EQ(card->LockRect(0, &locked, nullptr, 0), D3DERR_INVALIDCALL);

    Com<IDirect3DTexture9> dxt(MakeTexture(8, 8, 1, 0, D3DFMT_DXT1, D3DPOOL_MANAGED));
    const RECT unaligned{2, 0, 8, 4};
    EXPECT_EQ(dxt->LockRect(0, &locked, &unaligned, 0), D3DERR_INVALIDCALL);
    const RECT ragged{0, 0, 6, 4};
    EXPECT_EQ(dxt->LockRect(0, &locked, &ragged, 0), D3DERR_INVALIDCALL);
    const RECT outside{0, 0, 12, 4};
    EXPECT_EQ(dxt->LockRect(0, &locked, &outside, 0), D3DERR_INVALIDCALL);
    EXPECT_EQ(dxt->LockRect(1, &locked, nullptr, 0), D3DERR_INVALIDCALL);
    EXPECT_EQ(dxt->UnlockRect(0), D3DERR_INVALIDCALL);
    ASSERT_EQ(dxt->LockRect(0, &locked, nullptr, 0), D3D_OK);
    EXPECT_EQ(dxt->LockRect(0, &locked, nullptr, 0), D3DERR_INVALIDCALL);
    EXPECT_EQ(dxt->UnlockRect(0), D3D_OK);
}

// A level surface counts on its texture: the texture lives while the
// surface is held, and the surface names it as its container.
TEST_F(TextureTest, SurfaceOfALevelKeepsItsTextureAlive) {
    IDirect3DTexture9* texture = MakeTexture(8, 8, 2, 0, D3DFMT_A8R8G8B8, D3DPOOL_MANAGED);
    IDirect3DSurface9* level = Level(texture, 1);
    EXPECT_EQ(texture->Release(), 1u);  // the surface's reference is left

    D3DSURFACE_DESC desc{};
    ASSERT_EQ(level->GetDesc(&desc), D3D_OK);
    EXPECT_EQ(desc.Width, 4u);
    void* container = nullptr;
    ASSERT_EQ(level->GetContainer(IID_IDirect3DTexture9, &container), D3D_OK);
    EXPECT_EQ(container, static_cast<void*>(texture));
    static_cast<IDirect3DTexture9*>(container)->Release();
    EXPECT_EQ(level->GetType(), D3DRTYPE_SURFACE);
    EXPECT_EQ(level->Release(), 0u);
}

TEST_F(TextureTest, ResourcesHoldTheDevice) {
    device()->AddRef();
    const ULONG before = device()->Release();
    Com<IDirect3DTexture9> texture(MakeTexture(8, 8, 1, 0, D3DFMT_A8R8G8B8, D3DPOOL_MANAGED));
    device()->AddRef();
    EXPECT_EQ(device()->Release(), before + 1);
    Com<IDirect3DDevice9> owner;
    ASSERT_EQ(texture->GetDevice(owner.out()), D3D_OK);
    EXPECT_EQ(owner.get(), device());
    EXPECT_EQ(texture->GetType(), D3DRTYPE_TEXTURE);
    owner.Reset();
    texture.Reset();
    device()->AddRef();
    EXPECT_EQ(device()->Release(), before);
}

// What the device holds on a set resource keeps the resource, not the
// device: the application's last release lets the device go.
TEST_F(TextureTest, DeviceHoldKeepsTheTextureButNotTheDevice) {
    using platform::d3d9::AsResourceHold;
    device()->AddRef();
    const ULONG before = device()->Release();
    IDirect3DTexture9* texture = MakeTexture(4, 4, 1, 0, D3DFMT_A8R8G8B8, D3DPOOL_MANAGED);
    IDirect3DSurface9* level = Level(texture);
    ASSERT_NE(AsResourceHold(level), nullptr);
    AsResourceHold(level)->AddHold();
    level->Release();
    EXPECT_EQ(texture->Release(), 0u);
    device()->AddRef();
    EXPECT_EQ(device()->Release(), before);

    // Still there for the holder, and gone with its hold (the sanitizer
    // sees a leak or a use after free otherwise).
    D3DSURFACE_DESC desc{};
    EXPECT_EQ(level->GetDesc(&desc), D3D_OK);
    EXPECT_EQ(desc.Width, 4u);
    AsResourceHold(level)->ReleaseHold();
}

// Managed textures keep their pixels across Reset; a default-pool one
// must go first and be made again.
TEST_F(TextureTest, ManagedTextureSurvivesResetAndDefaultPoolOneBlocksIt) {
    Com<IDirect3DTexture9> managed(MakeTexture(4, 4, 1, 0, D3DFMT_A8R8G8B8, D3DPOOL_MANAGED));
    D3DLOCKED_RECT locked{};
    ASSERT_EQ(managed->LockRect(0, &locked, nullptr, 0), D3D_OK);
    static_cast<D3DCOLOR*>(locked.pBits)[5] = 0xFF123456;
    managed->UnlockRect(0);

    Com<IDirect3DTexture9> target(MakeTexture(4, 4, 1, D3DUSAGE_RENDERTARGET, D3DFMT_A8R8G8B8, D3DPOOL_DEFAULT));
    D3DPRESENT_PARAMETERS parameters = presentation_;
    EXPECT_EQ(device()->Reset(&parameters), D3DERR_INVALIDCALL);
    target.Reset();
    parameters = presentation_;
    ASSERT_EQ(device()->Reset(&parameters), D3D_OK);

    ASSERT_EQ(managed->LockRect(0, &locked, nullptr, D3DLOCK_READONLY), D3D_OK);
    EXPECT_EQ(static_cast<D3DCOLOR*>(locked.pBits)[5], 0xFF123456u);
    managed->UnlockRect(0);
    // Default-pool resources are made again after Reset.
    Com<IDirect3DTexture9> again(MakeTarget(4, 4, std::vector<D3DCOLOR>(16, 0xFF00FF00)));
    Com<IDirect3DSurface9> surface(Level(again.get()));
    EXPECT_EQ(Read(surface.get())[0], 0xFF00FF00u);
}

}  // namespace
}  // namespace d3d9_test
