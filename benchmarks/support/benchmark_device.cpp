#include "benchmark_device.h"

namespace {

HWND MakeWindow(UINT width, UINT height) {
    WNDCLASSW description{};
    description.lpfnWndProc = DefWindowProcW;
    description.lpszClassName = L"SaverBenchmark";
    RegisterClassW(&description);
    return CreateWindowExW(0, L"SaverBenchmark", L"Benchmark", WS_POPUP | WS_VISIBLE, 0, 0, static_cast<int>(width),
                           static_cast<int>(height), nullptr, nullptr, nullptr, nullptr);
}

}  // namespace

IDirect3DDevice9* MakeBenchmarkDevice(UINT width, UINT height) {
    IDirect3D9* direct3D = Direct3DCreate9(D3D_SDK_VERSION);
    D3DPRESENT_PARAMETERS presentation{};
    presentation.BackBufferWidth = width;
    presentation.BackBufferHeight = height;
    presentation.BackBufferFormat = D3DFMT_X8R8G8B8;
    presentation.SwapEffect = D3DSWAPEFFECT_DISCARD;
    presentation.hDeviceWindow = MakeWindow(width, height);
    presentation.Windowed = TRUE;
    presentation.PresentationInterval = D3DPRESENT_INTERVAL_IMMEDIATE;
    IDirect3DDevice9* device = nullptr;
    direct3D->CreateDevice(0, D3DDEVTYPE_HAL, presentation.hDeviceWindow, D3DCREATE_HARDWARE_VERTEXPROCESSING,
                           &presentation, &device);
    return device;
}
