// D3DADAPTER_IDENTIFIER9 of an adapter.
#pragma once

#include <d3d9.h>

#include "d3d9/adapters.h"

namespace platform::d3d9 {

// Description from the GL renderer (or the simulated machine), DeviceName
// from the display device, and a DeviceIdentifier derived from both, so
// that it stays the same for the same adapter from run to run.
D3DADAPTER_IDENTIFIER9 AdapterIdentifier(const Adapter& adapter);

}  // namespace platform::d3d9
