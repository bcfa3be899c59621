#include "platform/d3d9/d3d9_machine.h"

#include <cstring>

namespace d3d9_test {
namespace {

LPCWSTR WindowClass() {
    static const ATOM atom = [] {
        WNDCLASSW description{};
        description.lpfnWndProc = DefWindowProcW;
        description.lpszClassName = L"D3D9TestWindow";
        return RegisterClassW(&description);
    }();
    EXPECT_NE(atom, 0);
    return L"D3D9TestWindow";
}

platform::DisplayDeviceDescription Monitor(const wchar_t* adapter, RECT rect) {
    platform::DisplayDeviceDescription device;
    device.adapterString = adapter;
    device.rect = rect;
    const DWORD width = static_cast<DWORD>(rect.right - rect.left);
    const DWORD height = static_cast<DWORD>(rect.bottom - rect.top);
    device.modes = {{640, 480, 32, 60}, {width, height, 32, 60}};
    return device;
}

}  // namespace

void D3D9Test::SetUp() {
    platform::sim::SetDisplayDevices({Monitor(L"First Adapter", kPrimaryRect), Monitor(L"Second Adapter", kSecondRect)});
    platform::sim::ResetAdapters();
    *direct3D_.out() = Direct3DCreate9(D3D_SDK_VERSION);
    ASSERT_NE(direct3D_.get(), nullptr);
}

void D3D9Test::TearDown() {
    direct3D_.Reset();
    for (HWND window : windows_) DestroyWindow(window);
    platform::sim::ResetAdapters();
    platform::sim::ResetDisplayDevices();
}

void D3D9Test::UseAdapters(std::vector<platform::sim::AdapterDescription> adapters) {
    platform::sim::SetAdapters(std::move(adapters));
    *direct3D_.out() = Direct3DCreate9(D3D_SDK_VERSION);
}

HWND D3D9Test::MakeWindow(RECT rect) {
    HWND window = CreateWindowExW(0, WindowClass(), L"Device", WS_POPUP | WS_VISIBLE, rect.left, rect.top,
                                  rect.right - rect.left, rect.bottom - rect.top, nullptr, nullptr, nullptr,
                                  nullptr);
    EXPECT_NE(window, nullptr);
    windows_.push_back(window);
    return window;
}

D3DPRESENT_PARAMETERS D3D9Test::Windowed(HWND window, bool depth) {
    D3DPRESENT_PARAMETERS presentation{};
    presentation.BackBufferFormat = D3DFMT_X8R8G8B8;
    presentation.BackBufferCount = 1;
    presentation.SwapEffect = D3DSWAPEFFECT_COPY;
    presentation.hDeviceWindow = window;
    presentation.Windowed = TRUE;
    presentation.EnableAutoDepthStencil = depth;
    presentation.AutoDepthStencilFormat = D3DFMT_D16;
    presentation.PresentationInterval = D3DPRESENT_INTERVAL_IMMEDIATE;
    return presentation;
}

D3DPRESENT_PARAMETERS D3D9Test::FullScreen(HWND window, UINT width, UINT height) {
    D3DPRESENT_PARAMETERS presentation{};
    presentation.BackBufferWidth = width;
    presentation.BackBufferHeight = height;
    presentation.BackBufferFormat = D3DFMT_X8R8G8B8;
    presentation.BackBufferCount = 1;
    presentation.SwapEffect = D3DSWAPEFFECT_DISCARD;
    presentation.hDeviceWindow = window;
    presentation.Windowed = FALSE;
    presentation.EnableAutoDepthStencil = TRUE;
    presentation.AutoDepthStencilFormat = D3DFMT_D24S8;
    presentation.PresentationInterval = D3DPRESENT_INTERVAL_ONE;
    return presentation;
}

IDirect3DDevice9* D3D9Test::CreateDevice(UINT adapter, const D3DPRESENT_PARAMETERS& presentation, D3DDEVTYPE type,
                                         DWORD behaviour) {
    D3DPRESENT_PARAMETERS copy = presentation;
    IDirect3DDevice9* device = nullptr;
    const HRESULT created =
        direct3D_->CreateDevice(adapter, type, presentation.hDeviceWindow, behaviour, &copy, &device);
    EXPECT_EQ(created, D3D_OK);
    return device;
}

std::vector<D3DCOLOR> ReadBackBuffer(IDirect3DDevice9* device, UINT& width, UINT& height) {
    Com<IDirect3DSurface9> backBuffer;
    EXPECT_EQ(device->GetBackBuffer(0, 0, D3DBACKBUFFER_TYPE_MONO, backBuffer.out()), D3D_OK);
    D3DSURFACE_DESC desc{};
    backBuffer->GetDesc(&desc);
    width = desc.Width;
    height = desc.Height;
    Com<IDirect3DSurface9> copy;
    EXPECT_EQ(device->CreateOffscreenPlainSurface(width, height, desc.Format, D3DPOOL_SYSTEMMEM, copy.out(), nullptr),
              D3D_OK);
    EXPECT_EQ(device->GetRenderTargetData(backBuffer.get(), copy.get()), D3D_OK);
    D3DLOCKED_RECT locked{};
    EXPECT_EQ(copy->LockRect(&locked, nullptr, D3DLOCK_READONLY), D3D_OK);
    std::vector<D3DCOLOR> pixels(static_cast<size_t>(width) * height);
    for (UINT y = 0; y < height; ++y) {
        std::memcpy(&pixels[static_cast<size_t>(y) * width], static_cast<BYTE*>(locked.pBits) + y * locked.Pitch,
                    width * 4);
    }
    copy->UnlockRect();
    for (D3DCOLOR& pixel : pixels) pixel &= 0x00FFFFFF;
    return pixels;
}

D3DCOLOR PixelAt(IDirect3DDevice9* device, UINT x, UINT y) {
    UINT width = 0, height = 0;
    const std::vector<D3DCOLOR> pixels = ReadBackBuffer(device, width, height);
    return pixels.at(static_cast<size_t>(y) * width + x);
}

}  // namespace d3d9_test
