// A Direct3D device for the benchmarks.
#pragma once

#include <windows.h>
#include <d3d9.h>

#include <cstdlib>

// A windowed device on a small window, headless unless a display is asked for.
class BenchmarkDevice {
public:
    BenchmarkDevice() {
        setenv("SDL_VIDEODRIVER", "offscreen", 0);
        WNDCLASSW windowClass{};
        windowClass.lpfnWndProc = DefWindowProcW;
        windowClass.lpszClassName = L"D3dxBenchmark";
        RegisterClassW(&windowClass);
        window_ = CreateWindowExW(0, L"D3dxBenchmark", L"", WS_POPUP | WS_VISIBLE, 0, 0, 64, 64, nullptr,
                                  nullptr, nullptr, nullptr);
        direct3D_ = Direct3DCreate9(D3D_SDK_VERSION);
        D3DPRESENT_PARAMETERS presentation{};
        presentation.Windowed = TRUE;
        presentation.SwapEffect = D3DSWAPEFFECT_DISCARD;
        presentation.hDeviceWindow = window_;
        if (direct3D_) {
            direct3D_->CreateDevice(0, D3DDEVTYPE_HAL, window_, D3DCREATE_HARDWARE_VERTEXPROCESSING, &presentation,
                                    &device_);
        }
    }
    ~BenchmarkDevice() {
        if (device_) device_->Release();
        if (direct3D_) direct3D_->Release();
        if (window_) DestroyWindow(window_);
    }
    BenchmarkDevice(const BenchmarkDevice&) = delete;
    BenchmarkDevice& operator=(const BenchmarkDevice&) = delete;

    IDirect3DDevice9* get() const { return device_; }

private:
    HWND window_ = nullptr;
    IDirect3D9* direct3D_ = nullptr;
    IDirect3DDevice9* device_ = nullptr;
};
