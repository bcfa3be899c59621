// Devices on windows: creation, what they present, clearing and reading
// back, scenes and viewports.
#include "platform/d3d9/d3d9_machine.h"

namespace d3d9_test {
namespace {

using DeviceTest = D3D9Test;

constexpr D3DCOLOR kRed = 0x00FF0000;
constexpr D3DCOLOR kGreen = 0x0000FF00;
constexpr D3DCOLOR kBlue = 0x000000FF;

// Each monitor's device clears its own back buffer; rows read back top
// first, as Direct3D stores them.
TEST_F(DeviceTest, TwoDevicesOnTwoMonitorsKeepTheirOwnPixels) {
    HWND first = MakeWindow(kPrimaryRect);
    HWND second = MakeWindow(kSecondRect);
    Com<IDirect3DDevice9> one(CreateDevice(0, FullScreen(first, 640, 480)));
    Com<IDirect3DDevice9> two(CreateDevice(1, FullScreen(second, 800, 600)));
    ASSERT_NE(one.get(), nullptr);
    ASSERT_NE(two.get(), nullptr);

    ASSERT_EQ(one->Clear(0, nullptr, D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, 0xFF000000 | kRed, 1.f, 0), D3D_OK);
    const D3DRECT topHalf{0, 0, 800, 300};
    const D3DRECT bottomHalf{0, 300, 800, 600};
    ASSERT_EQ(two->Clear(1, &topHalf, D3DCLEAR_TARGET, kGreen, 1.f, 0), D3D_OK);
    ASSERT_EQ(two->Clear(1, &bottomHalf, D3DCLEAR_TARGET, kBlue, 1.f, 0), D3D_OK);

    UINT width = 0, height = 0;
    const std::vector<D3DCOLOR> onePixels = ReadBackBuffer(one.get(), width, height);
    EXPECT_EQ(width, 640u);
    EXPECT_EQ(height, 480u);
    EXPECT_EQ(std::count(onePixels.begin(), onePixels.end(), kRed), 640 * 480);

    const std::vector<D3DCOLOR> twoPixels = ReadBackBuffer(two.get(), width, height);
    ASSERT_EQ(width, 800u);
    EXPECT_EQ(twoPixels[0], kGreen);
    EXPECT_EQ(twoPixels[299 * 800 + 799], kGreen);
    EXPECT_EQ(twoPixels[300 * 800], kBlue);
    EXPECT_EQ(twoPixels[599 * 800 + 799], kBlue);

    EXPECT_EQ(one->Present(nullptr, nullptr, nullptr, nullptr), D3D_OK);
    EXPECT_EQ(two->Present(nullptr, nullptr, nullptr, nullptr), D3D_OK);
    // Presenting one device leaves the other's pixels alone.
    EXPECT_EQ(PixelAt(one.get(), 10, 10), kRed);
}

TEST_F(DeviceTest, WindowedZeroSizeTakesTheClientArea) {
    HWND window = MakeWindow({20, 30, 220, 130});
    D3DPRESENT_PARAMETERS presentation = Windowed(window);
    presentation.BackBufferFormat = D3DFMT_UNKNOWN;
    presentation.BackBufferCount = 0;
    Com<IDirect3DDevice9> device;
    ASSERT_EQ(direct3D()->CreateDevice(0, D3DDEVTYPE_HAL, window, D3DCREATE_HARDWARE_VERTEXPROCESSING | D3DCREATE_PUREDEVICE,
                                       &presentation, device.out()),
              D3D_OK);
    EXPECT_EQ(presentation.BackBufferWidth, 200u);
    EXPECT_EQ(presentation.BackBufferHeight, 100u);
    EXPECT_EQ(presentation.BackBufferFormat, D3DFMT_X8R8G8B8);
    EXPECT_EQ(presentation.BackBufferCount, 1u);

    Com<IDirect3DSurface9> backBuffer;
    ASSERT_EQ(device->GetBackBuffer(0, 0, D3DBACKBUFFER_TYPE_MONO, backBuffer.out()), D3D_OK);
    D3DSURFACE_DESC desc{};
    ASSERT_EQ(backBuffer->GetDesc(&desc), D3D_OK);
    EXPECT_EQ(desc.Width, 200u);
    EXPECT_EQ(desc.Height, 100u);
    EXPECT_EQ(desc.Format, D3DFMT_X8R8G8B8);
    EXPECT_EQ(desc.Type, D3DRTYPE_SURFACE);
    EXPECT_EQ(desc.Usage, static_cast<DWORD>(D3DUSAGE_RENDERTARGET));
    EXPECT_EQ(desc.Pool, D3DPOOL_DEFAULT);

    Com<IDirect3DSurface9> depth;
    ASSERT_EQ(device->GetDepthStencilSurface(depth.out()), D3D_OK);
    ASSERT_EQ(depth->GetDesc(&desc), D3D_OK);
    EXPECT_EQ(desc.Format, D3DFMT_D16);
    EXPECT_EQ(desc.Width, 200u);
    EXPECT_EQ(desc.Usage, static_cast<DWORD>(D3DUSAGE_DEPTHSTENCIL));

    Com<IDirect3DSurface9> target;
    ASSERT_EQ(device->GetRenderTarget(0, target.out()), D3D_OK);
    EXPECT_EQ(target.get(), backBuffer.get());

    D3DVIEWPORT9 viewport{};
    ASSERT_EQ(device->GetViewport(&viewport), D3D_OK);
    EXPECT_EQ(viewport.Width, 200u);
    EXPECT_EQ(viewport.Height, 100u);
    EXPECT_EQ(viewport.MaxZ, 1.f);
}

struct RefusedCase {
    const char* name;
    DWORD behaviour;
    D3DDEVTYPE type;
    UINT adapter;
    bool fullScreen;
    UINT width;
    D3DMULTISAMPLE_TYPE multiSample;
    HRESULT expected;
};

void PrintTo(const RefusedCase& value, std::ostream* out) { *out << value.name; }

class RefusedDeviceTest : public D3D9Test, public testing::WithParamInterface<RefusedCase> {};

TEST_P(RefusedDeviceTest, LeavesNoDevice) {
    const RefusedCase& refused = GetParam();
    HWND window = MakeWindow(kPrimaryRect);
    D3DPRESENT_PARAMETERS presentation = refused.fullScreen ? FullScreen(window, refused.width, 480) : Windowed(window);
    presentation.MultiSampleType = refused.multiSample;
    IDirect3DDevice9* device = reinterpret_cast<IDirect3DDevice9*>(&presentation);  // must be overwritten
    EXPECT_EQ(direct3D()->CreateDevice(refused.adapter, refused.type, window, refused.behaviour, &presentation,
                                       &device),
              refused.expected);
    EXPECT_EQ(device, nullptr);
}

constexpr DWORD kHardware = D3DCREATE_HARDWARE_VERTEXPROCESSING;

INSTANTIATE_TEST_SUITE_P(
    Refusals, RefusedDeviceTest,
    testing::Values(
        RefusedCase{"NoVertexProcessing", 0, D3DDEVTYPE_HAL, 0, false, 0, D3DMULTISAMPLE_NONE, D3DERR_INVALIDCALL},
        RefusedCase{"TwoVertexProcessings", kHardware | D3DCREATE_SOFTWARE_VERTEXPROCESSING, D3DDEVTYPE_HAL, 0,
                    false, 0, D3DMULTISAMPLE_NONE, D3DERR_INVALIDCALL},
        RefusedCase{"PureSoftware", D3DCREATE_SOFTWARE_VERTEXPROCESSING | D3DCREATE_PUREDEVICE, D3DDEVTYPE_HAL, 0,
                    false, 0, D3DMULTISAMPLE_NONE, D3DERR_INVALIDCALL},
        RefusedCase{"Reference", kHardware, D3DDEVTYPE_REF, 0, false, 0, D3DMULTISAMPLE_NONE, D3DERR_NOTAVAILABLE},
        RefusedCase{"Software", kHardware, D3DDEVTYPE_SW, 0, false, 0, D3DMULTISAMPLE_NONE, D3DERR_NOTAVAILABLE},
        RefusedCase{"NoSuchAdapter", kHardware, D3DDEVTYPE_HAL, 2, false, 0, D3DMULTISAMPLE_NONE, D3DERR_INVALIDCALL},
        RefusedCase{"NoSuchMode", kHardware, D3DDEVTYPE_HAL, 0, true, 700, D3DMULTISAMPLE_NONE, D3DERR_INVALIDCALL},
        RefusedCase{"MultiSample", kHardware, D3DDEVTYPE_HAL, 0, false, 0, D3DMULTISAMPLE_4_SAMPLES,
                    D3DERR_INVALIDCALL}),
    [](const testing::TestParamInfo<RefusedCase>& info) { return std::string(info.param.name); });

class WindowedDeviceTest : public D3D9Test {
protected:
    void SetUp() override {
        D3D9Test::SetUp();
        window_ = MakeWindow({0, 0, 64, 32});
    }
    IDirect3DDevice9* Make(bool depth) { return CreateDevice(0, Windowed(window_, depth)); }

    HWND window_ = nullptr;
};

TEST_F(WindowedDeviceTest, DepthClearWithoutADepthSurfaceFailsAndClearsNothing) {
    Com<IDirect3DDevice9> device(Make(false));
    Com<IDirect3DSurface9> depth;
    EXPECT_EQ(device->GetDepthStencilSurface(depth.out()), D3DERR_NOTFOUND);
    EXPECT_EQ(depth.get(), nullptr);
    ASSERT_EQ(device->Clear(0, nullptr, D3DCLEAR_TARGET, kBlue, 1.f, 0), D3D_OK);
    EXPECT_EQ(device->Clear(0, nullptr, D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, kRed, 1.f, 0), D3DERR_INVALIDCALL);
    EXPECT_EQ(PixelAt(device.get(), 5, 5), kBlue);
}

TEST_F(WindowedDeviceTest, StencilClearNeedsAStencilFormat) {
    Com<IDirect3DDevice9> device(Make(true));  // D16
    EXPECT_EQ(device->Clear(0, nullptr, D3DCLEAR_TARGET | D3DCLEAR_STENCIL, kRed, 1.f, 0), D3DERR_INVALIDCALL);
    EXPECT_EQ(device->Clear(0, nullptr, D3DCLEAR_ZBUFFER, 0, 0.5f, 0), D3D_OK);
    EXPECT_EQ(device->Clear(0, nullptr, 0, kRed, 1.f, 0), D3DERR_INVALIDCALL);
    const D3DRECT rect{0, 0, 4, 4};
    EXPECT_EQ(device->Clear(1, nullptr, D3DCLEAR_TARGET, kRed, 1.f, 0), D3DERR_INVALIDCALL);
    EXPECT_EQ(device->Clear(0, &rect, D3DCLEAR_TARGET, kRed, 1.f, 0), D3DERR_INVALIDCALL);
}

// Clear reaches only the viewport, and of it only the rectangles given.
TEST_F(WindowedDeviceTest, ClearStaysInsideTheViewportAndRectangles) {
    Com<IDirect3DDevice9> device(Make(true));
    ASSERT_EQ(device->Clear(0, nullptr, D3DCLEAR_TARGET, kBlue, 1.f, 0), D3D_OK);
    const D3DVIEWPORT9 viewport{8, 4, 16, 8, 0.f, 1.f};
    ASSERT_EQ(device->SetViewport(&viewport), D3D_OK);
    ASSERT_EQ(device->Clear(0, nullptr, D3DCLEAR_TARGET, kGreen, 1.f, 0), D3D_OK);
    const D3DRECT rects[] = {{0, 0, 12, 6}, {20, 10, 64, 32}};
    ASSERT_EQ(device->Clear(2, rects, D3DCLEAR_TARGET, kRed, 1.f, 0), D3D_OK);

    UINT width = 0, height = 0;
    const std::vector<D3DCOLOR> pixels = ReadBackBuffer(device.get(), width, height);
    const auto at = [&](UINT x, UINT y) { return pixels[y * width + x]; };
    EXPECT_EQ(at(7, 4), kBlue);     // left of the viewport
    EXPECT_EQ(at(8, 3), kBlue);     // above it
    EXPECT_EQ(at(8, 4), kRed);      // first rectangle within the viewport
    EXPECT_EQ(at(11, 5), kRed);
    EXPECT_EQ(at(12, 5), kGreen);   // viewport outside both rectangles
    EXPECT_EQ(at(20, 10), kRed);    // second rectangle, cut at the viewport
    EXPECT_EQ(at(23, 11), kRed);
    EXPECT_EQ(at(24, 11), kBlue);
    EXPECT_EQ(at(23, 12), kBlue);
}

TEST_F(WindowedDeviceTest, ViewportMustFitTheTarget) {
    Com<IDirect3DDevice9> device(Make(true));
    const D3DVIEWPORT9 tooWide{60, 0, 8, 8, 0.f, 1.f};
    const D3DVIEWPORT9 badDepth{0, 0, 8, 8, 0.8f, 0.2f};
    const D3DVIEWPORT9 fits{0, 0, 64, 32, 0.25f, 0.75f};
    EXPECT_EQ(device->SetViewport(&tooWide), D3DERR_INVALIDCALL);
    EXPECT_EQ(device->SetViewport(&badDepth), D3DERR_INVALIDCALL);
    EXPECT_EQ(device->SetViewport(&fits), D3D_OK);
    D3DVIEWPORT9 read{};
    ASSERT_EQ(device->GetViewport(&read), D3D_OK);
    EXPECT_EQ(read.MinZ, 0.25f);
    EXPECT_EQ(read.Width, 64u);
}

TEST_F(WindowedDeviceTest, ScenesDoNotNest) {
    Com<IDirect3DDevice9> device(Make(true));
    EXPECT_EQ(device->EndScene(), D3DERR_INVALIDCALL);
    EXPECT_EQ(device->BeginScene(), D3D_OK);
    EXPECT_EQ(device->BeginScene(), D3DERR_INVALIDCALL);
    EXPECT_EQ(device->EndScene(), D3D_OK);
    EXPECT_EQ(device->EndScene(), D3DERR_INVALIDCALL);
    EXPECT_EQ(device->BeginScene(), D3D_OK);
    EXPECT_EQ(device->EndScene(), D3D_OK);
}

// A 16-bit back buffer reads back in its own format.
TEST_F(WindowedDeviceTest, SixteenBitBackBufferReadsBackAsR5G6B5) {
    D3DPRESENT_PARAMETERS presentation = Windowed(window_);
    presentation.BackBufferFormat = D3DFMT_R5G6B5;
    Com<IDirect3DDevice9> device(CreateDevice(0, presentation));
    ASSERT_EQ(device->Clear(0, nullptr, D3DCLEAR_TARGET, 0xFFFF8000, 1.f, 0), D3D_OK);
    Com<IDirect3DSurface9> backBuffer, copy, wrongFormat;
    ASSERT_EQ(device->GetBackBuffer(0, 0, D3DBACKBUFFER_TYPE_MONO, backBuffer.out()), D3D_OK);
    ASSERT_EQ(device->CreateOffscreenPlainSurface(64, 32, D3DFMT_R5G6B5, D3DPOOL_SYSTEMMEM, copy.out(), nullptr), D3D_OK);
    ASSERT_EQ(device->CreateOffscreenPlainSurface(64, 32, D3DFMT_X8R8G8B8, D3DPOOL_SYSTEMMEM, wrongFormat.out(), nullptr),
              D3D_OK);
    EXPECT_EQ(device->GetRenderTargetData(backBuffer.get(), wrongFormat.get()), D3DERR_INVALIDCALL);
    ASSERT_EQ(device->GetRenderTargetData(backBuffer.get(), copy.get()), D3D_OK);
    D3DLOCKED_RECT locked{};
    const RECT corner{63, 31, 64, 32};
    ASSERT_EQ(copy->LockRect(&locked, &corner, 0), D3D_OK);
    EXPECT_EQ(*static_cast<WORD*>(locked.pBits), 0xFC00);  // R 31, G 32, B 0
    EXPECT_EQ(copy->LockRect(&locked, nullptr, 0), D3DERR_INVALIDCALL);  // already locked
    EXPECT_EQ(copy->UnlockRect(), D3D_OK);
    EXPECT_EQ(copy->UnlockRect(), D3DERR_INVALIDCALL);
}

TEST_F(WindowedDeviceTest, RenderTargetsAndPlainSurfacesLockOnlyWhereDirect3DLets) {
    Com<IDirect3DDevice9> device(Make(true));
    Com<IDirect3DSurface9> backBuffer, plain;
    ASSERT_EQ(device->GetBackBuffer(0, 0, D3DBACKBUFFER_TYPE_MONO, backBuffer.out()), D3D_OK);
    D3DLOCKED_RECT locked{};
    EXPECT_EQ(backBuffer->LockRect(&locked, nullptr, 0), D3DERR_INVALIDCALL);  // not lockable
    EXPECT_EQ(device->CreateOffscreenPlainSurface(8, 8, D3DFMT_A8R8G8B8, D3DPOOL_MANAGED, plain.out(), nullptr),
              D3DERR_INVALIDCALL);
    EXPECT_EQ(device->CreateOffscreenPlainSurface(8, 8, D3DFMT_P8, D3DPOOL_SYSTEMMEM, plain.out(), nullptr),
              D3DERR_INVALIDCALL);
    ASSERT_EQ(device->CreateOffscreenPlainSurface(10, 8, D3DFMT_A8R8G8B8, D3DPOOL_SYSTEMMEM, plain.out(), nullptr),
              D3D_OK);
    const RECT outside{0, 0, 11, 8};
    EXPECT_EQ(plain->LockRect(&locked, &outside, 0), D3DERR_INVALIDCALL);
    ASSERT_EQ(plain->LockRect(&locked, nullptr, 0), D3D_OK);
    EXPECT_GE(locked.Pitch, 40);
    plain->UnlockRect();
    // The plain surface's container is the device.
    Com<IDirect3DDevice9> container;
    ASSERT_EQ(plain->GetContainer(IID_IDirect3DDevice9, reinterpret_cast<void**>(container.out())), D3D_OK);
    EXPECT_EQ(container.get(), device.get());
}

// A device whose window went first fails to present and goes cleanly.
TEST_F(DeviceTest, DeviceOutlivingItsWindowFailsToPresentAndEndsCleanly) {
    HWND first = MakeWindow({0, 0, 32, 16});
    HWND second = MakeWindow({0, 0, 32, 16});
    Com<IDirect3DDevice9> orphan(CreateDevice(0, Windowed(first)));
    Com<IDirect3DDevice9> survivor(CreateDevice(0, Windowed(second)));
    ASSERT_EQ(survivor->Clear(0, nullptr, D3DCLEAR_TARGET, kGreen, 1.f, 0), D3D_OK);
    ASSERT_TRUE(DestroyWindow(first));
    EXPECT_EQ(orphan->Present(nullptr, nullptr, nullptr, nullptr), D3DERR_INVALIDCALL);
    orphan.Reset();
    // Its end touched nothing of the other device.
    EXPECT_EQ(PixelAt(survivor.get(), 3, 3), kGreen);
    EXPECT_EQ(survivor->Present(nullptr, nullptr, nullptr, nullptr), D3D_OK);
}

}  // namespace
}  // namespace d3d9_test
