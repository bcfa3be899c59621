// The DirectSound device, shared by every monitor.
#pragma once

#include <windows.h>

// Starts DirectSound and its looping primary buffer, once per process;
// true when the device exists.
bool InitDirectSound(HWND window);
