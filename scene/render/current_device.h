// The Direct3D device of the unit being updated or drawn: every texture,
// buffer and effect of the scene is created on it.
#pragma once

#include <d3d9.h>

// Not a reference: the host owns the device and publishes it per unit.
extern IDirect3DDevice9* g_currentDevice;
