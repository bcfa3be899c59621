// The Direct3D device of the unit being updated or drawn; every buffer,
// texture and draw of the scene goes to it. Not owned.
#pragma once

#include <windows.h>

#include <d3d9.h>

extern IDirect3DDevice9* g_currentDevice;
