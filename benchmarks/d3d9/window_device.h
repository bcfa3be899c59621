// Windowed devices on pop-up windows for the benchmarks.
#pragma once

#include <windows.h>
#include <d3d9.h>

#include <platform/sim_d3d.h>

inline HWND MakeBenchmarkWindow(UINT width, UINT height) {
    static const bool registered = [] {
        WNDCLASSW description{};
        description.lpfnWndProc = DefWindowProcW;
        description.lpszClassName = L"BenchmarkWindow";
        return RegisterClassW(&description) != 0;
    }();
    static_cast<void>(registered);
    return CreateWindowExW(0, L"BenchmarkWindow", L"Benchmark", WS_POPUP | WS_VISIBLE, 0, 0, static_cast<int>(width),
                           static_cast<int>(height), nullptr, nullptr, nullptr, nullptr);
}

// A back buffer of width x height that presents at once; null on failure.
// The device runs its GL work on the calling thread, so that the raw-GL
// twins draw in its context and both halves are timed alike.
inline IDirect3DDevice9* CreateBenchmarkDevice(IDirect3D9* direct3D, HWND window, UINT width, UINT height) {
    platform::sim::SetDeviceQueue(false);
    D3DPRESENT_PARAMETERS presentation{};
    presentation.BackBufferWidth = width;
    presentation.BackBufferHeight = height;
    presentation.BackBufferFormat = D3DFMT_X8R8G8B8;
    presentation.SwapEffect = D3DSWAPEFFECT_DISCARD;
    presentation.hDeviceWindow = window;
    presentation.Windowed = TRUE;
    presentation.PresentationInterval = D3DPRESENT_INTERVAL_IMMEDIATE;
    IDirect3DDevice9* device = nullptr;
    direct3D->CreateDevice(0, D3DDEVTYPE_HAL, window, D3DCREATE_HARDWARE_VERTEXPROCESSING, &presentation, &device);
    return device;
}
