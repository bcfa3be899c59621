// A windowed device on a visible popup window of the given size, for the
// benchmarks that draw: presents immediately, hardware vertex processing.
#pragma once

#include <d3d9.h>
#include <windows.h>

IDirect3DDevice9* MakeBenchmarkDevice(UINT width, UINT height);
