// Ordering and choosing display modes, and comparing adapter identifiers.
#pragma once

#include <d3d9.h>

#include "host/host_records.h"

// Width ascending, then height ascending, then the larger format code first.
int CompareDisplayModes(const D3DDISPLAYMODE& a, const D3DDISPLAYMODE& b);

// Moves the device's chosen mode to the next one worth trying after a
// failure; false when there is none.
bool StepDownDisplayMode(DeviceRecord& device);

bool AdapterIdEquals(const GUID& a, const GUID& b);

// The formats of 32 bits per pixel among those the host uses.
bool Is32BitFormat(DWORD format);
