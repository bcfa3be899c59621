#include "d3d9/formats.h"

#include "d3d9/format_table.h"

#include <cstring>

namespace platform::d3d9 {
namespace {

DWORD Bits(D3DCOLOR colour, int shift, int bits) {
    return ((colour >> shift) & 0xFF) >> (8 - bits);
}

}  // namespace

bool IsDisplayFormat(D3DFORMAT format) {
    return format == D3DFMT_X8R8G8B8 || format == D3DFMT_R5G6B5;
}

D3DFORMAT DisplayFormatOfBits(DWORD bitsPerPel) {
    return bitsPerPel == 16 ? D3DFMT_R5G6B5 : D3DFMT_X8R8G8B8;
}

bool IsBackBufferFormat(D3DFORMAT format) {
    switch (format) {
        case D3DFMT_A8R8G8B8:
        case D3DFMT_X8R8G8B8:
        case D3DFMT_R5G6B5:
        case D3DFMT_X1R5G5B5:
        case D3DFMT_A1R5G5B5:
            return true;
        default:
            return false;
    }
}

bool BackBufferFitsDisplay(D3DFORMAT display, D3DFORMAT backBuffer, bool windowed) {
    if (!IsDisplayFormat(display) || !IsBackBufferFormat(backBuffer)) return false;
    if (windowed) return true;
    if (display == D3DFMT_X8R8G8B8) return backBuffer == D3DFMT_X8R8G8B8 || backBuffer == D3DFMT_A8R8G8B8;
    return backBuffer == display;
}

bool IsDepthStencilFormat(D3DFORMAT format) {
    return format == D3DFMT_D16 || format == D3DFMT_D24X8 || format == D3DFMT_D24S8 || format == D3DFMT_D24X4S4 ||
           format == D3DFMT_D32;
}

bool HasStencil(D3DFORMAT format) { return format == D3DFMT_D24S8 || format == D3DFMT_D24X4S4; }

bool IsTextureFormat(D3DFORMAT format, bool v8u8) {
    switch (format) {
        case D3DFMT_A8R8G8B8:
        case D3DFMT_X8R8G8B8:
        case D3DFMT_R5G6B5:
        case D3DFMT_X1R5G5B5:
        case D3DFMT_A1R5G5B5:
        case D3DFMT_A4R4G4B4:
        case D3DFMT_X4R4G4B4:
        case D3DFMT_A8:
        case D3DFMT_L8:
        case D3DFMT_A8L8:
        case D3DFMT_DXT1:
        case D3DFMT_DXT3:
        case D3DFMT_DXT5:
            return true;
        case D3DFMT_V8U8:
        case D3DFMT_V16U16:
            return v8u8;
        default:
            return false;
    }
}

UINT BytesPerPixel(D3DFORMAT format) {
    const FormatInfo* info = FindFormat(format);
    const bool colourPixels = info != nullptr && info->blockSize == 1 && !info->isDepth && info->internalFormat != 0;
    return colourPixels ? info->blockBytes : 0;
}

std::array<float, 4> ColourToRgba(D3DCOLOR colour) {
    const auto channel = [colour](int shift) { return static_cast<float>((colour >> shift) & 0xFF) / 255.f; };
    return {channel(16), channel(8), channel(0), channel(24)};
}

void StorePixel(D3DFORMAT format, D3DCOLOR colour, BYTE* destination) {
    DWORD packed = 0;
    switch (format) {
        case D3DFMT_A8R8G8B8:
        case D3DFMT_X8R8G8B8:
            packed = colour;
            break;
        case D3DFMT_R5G6B5:
            packed = Bits(colour, 16, 5) << 11 | Bits(colour, 8, 6) << 5 | Bits(colour, 0, 5);
            break;
        case D3DFMT_X1R5G5B5:
        case D3DFMT_A1R5G5B5:
            packed = Bits(colour, 24, 1) << 15 | Bits(colour, 16, 5) << 10 | Bits(colour, 8, 5) << 5 |
                     Bits(colour, 0, 5);
            break;
        case D3DFMT_A4R4G4B4:
        case D3DFMT_X4R4G4B4:
            packed = Bits(colour, 24, 4) << 12 | Bits(colour, 16, 4) << 8 | Bits(colour, 8, 4) << 4 |
                     Bits(colour, 0, 4);
            break;
        case D3DFMT_A8:
            packed = colour >> 24;
            break;
        default:
            return;
    }
    std::memcpy(destination, &packed, BytesPerPixel(format));  // little-endian, as Direct3D's memory
}

}  // namespace platform::d3d9
