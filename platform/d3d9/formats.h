// What the layer's Direct3D 9 device supports, format by format, as a
// typical Direct3D 9 card does (no R8G8B8 or P8 textures, no D32).
#pragma once

#include <array>

#include <d3d9types.h>

namespace platform::d3d9 {

// Formats the desktop can run in.
bool IsDisplayFormat(D3DFORMAT format);
D3DFORMAT DisplayFormatOfBits(DWORD bitsPerPel);

// Back-buffer formats: in full screen the display format or its alpha
// twin; in a window anything the blit can convert.
bool IsBackBufferFormat(D3DFORMAT format);
bool BackBufferFitsDisplay(D3DFORMAT display, D3DFORMAT backBuffer, bool windowed);

bool IsDepthStencilFormat(D3DFORMAT format);
bool HasStencil(D3DFORMAT format);
bool IsTextureFormat(D3DFORMAT format, bool v8u8);

// Bytes per pixel of an uncompressed colour format the layer keeps on the
// CPU; 0 for anything else.
UINT BytesPerPixel(D3DFORMAT format);
// A 0xAARRGGBB colour as red, green, blue, alpha from 0 to 1.
std::array<float, 4> ColourToRgba(D3DCOLOR colour);
// Stores one 0xAARRGGBB pixel in format (BytesPerPixel bytes).
void StorePixel(D3DFORMAT format, D3DCOLOR colour, BYTE* destination);

}  // namespace platform::d3d9
