// The capabilities each device kind reports.
#pragma once

#include <d3d9.h>

#include "d3d9/adapters.h"

namespace platform::d3d9 {

// A typical Direct3D 9 hardware device, or for D3DDEVTYPE_SW a software
// rasteriser without hardware transform and lighting.
D3DCAPS9 DeviceCaps(const Adapter& adapter, D3DDEVTYPE type);

}  // namespace platform::d3d9
