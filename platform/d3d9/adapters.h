// The Direct3D adapters: one per display device on the desktop, the
// primary first, with their modes and what the device kinds offer.
#pragma once

#include <string>
#include <vector>

#include <d3d9.h>

#include "platform/sim_d3d.h"

namespace platform::d3d9 {

struct Adapter {
    UINT ordinal = 0;
    std::wstring deviceName;  // \\.\DISPLAYn
    HMONITOR monitor = nullptr;
    D3DDISPLAYMODE desktopMode{};
    std::vector<D3DDISPLAYMODE> modes;  // by format, width, height, refresh rate
    bool simulated = false;  // the description comes from the simulated machine
    sim::AdapterDescription description;

    // HAL, and SW only where the simulated machine offers it.
    bool Offers(D3DDEVTYPE type) const;
    bool HasMode(UINT width, UINT height, D3DFORMAT format) const;
    bool FailsToCreate(UINT width, UINT height, D3DFORMAT format) const;
};

// The adapters of the display layout in force now.
std::vector<Adapter> CurrentAdapters();

}  // namespace platform::d3d9
