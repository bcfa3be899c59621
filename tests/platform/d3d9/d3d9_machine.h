// A simulated two-monitor machine with windows to put devices on, and
// reading pixels back the way Direct3D allows.
#pragma once

#include <gtest/gtest.h>

#include <vector>

#include <d3d9.h>

#include "platform/com/com_ref.h"
#include "platform/sim_d3d.h"
#include "platform/sim_display.h"

namespace d3d9_test {

// Releases a COM pointer at the end of its scope.
template <typename Interface>
using Com = platform::ComRef<Interface>;

inline constexpr RECT kPrimaryRect{0, 0, 640, 480};
inline constexpr RECT kSecondRect{640, 0, 1440, 600};

// Two monitors: 640 x 480 primary and 800 x 600 on its right, each with
// its current mode and 640 x 480 among its modes.
class D3D9Test : public testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // The simulated adapters for this test; none: the real machine's.
    void UseAdapters(std::vector<platform::sim::AdapterDescription> adapters);
    HWND MakeWindow(RECT rect);
    IDirect3D9* direct3D() const { return direct3D_.get(); }

    static D3DPRESENT_PARAMETERS Windowed(HWND window, bool depth = true);
    static D3DPRESENT_PARAMETERS FullScreen(HWND window, UINT width, UINT height);
    IDirect3DDevice9* CreateDevice(UINT adapter, const D3DPRESENT_PARAMETERS& presentation,
                                   D3DDEVTYPE type = D3DDEVTYPE_HAL,
                                   DWORD behaviour = D3DCREATE_HARDWARE_VERTEXPROCESSING);

private:
    Com<IDirect3D9> direct3D_;
    std::vector<HWND> windows_;
};

// The back buffer's pixels as 0x00RRGGBB, rows top first, read through
// GetRenderTargetData into a system-memory surface and LockRect.
std::vector<D3DCOLOR> ReadBackBuffer(IDirect3DDevice9* device, UINT& width, UINT& height);
D3DCOLOR PixelAt(IDirect3DDevice9* device, UINT x, UINT y);

}  // namespace d3d9_test
