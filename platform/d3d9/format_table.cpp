#include "d3d9/format_table.h"

namespace platform::d3d9 {
namespace {

constexpr std::array<GLint, 4> kRgba{GL_RED, GL_GREEN, GL_BLUE, GL_ALPHA};
constexpr std::array<GLint, 4> kRgbOne{GL_RED, GL_GREEN, GL_BLUE, GL_ONE};
constexpr std::array<GLint, 4> kLuminance{GL_RED, GL_RED, GL_RED, GL_ONE};
constexpr std::array<GLint, 4> kLuminanceAlpha{GL_RED, GL_RED, GL_RED, GL_GREEN};
constexpr std::array<GLint, 4> kAlpha{GL_ZERO, GL_ZERO, GL_ZERO, GL_RED};
constexpr std::array<GLint, 4> kBump{GL_RED, GL_GREEN, GL_ONE, GL_ONE};

// Direct3D's words are little-endian with the first-named component in the
// high bits: the *_REV packed types and BGRA order reproduce them exactly.
constexpr FormatInfo kFormats[] = {
    {D3DFMT_A8R8G8B8, 4, 1, GL_RGBA8, GL_BGRA, GL_UNSIGNED_INT_8_8_8_8_REV, kRgba, false, false},
    {D3DFMT_X8R8G8B8, 4, 1, GL_RGBA8, GL_BGRA, GL_UNSIGNED_INT_8_8_8_8_REV, kRgbOne, false, false},
    {D3DFMT_R5G6B5, 2, 1, GL_RGB8, GL_RGB, GL_UNSIGNED_SHORT_5_6_5, kRgbOne, false, false},
    {D3DFMT_X1R5G5B5, 2, 1, GL_RGB5_A1, GL_BGRA, GL_UNSIGNED_SHORT_1_5_5_5_REV, kRgbOne, false, false},
    {D3DFMT_A1R5G5B5, 2, 1, GL_RGB5_A1, GL_BGRA, GL_UNSIGNED_SHORT_1_5_5_5_REV, kRgba, false, false},
    {D3DFMT_A4R4G4B4, 2, 1, GL_RGBA4, GL_BGRA, GL_UNSIGNED_SHORT_4_4_4_4_REV, kRgba, false, false},
    {D3DFMT_X4R4G4B4, 2, 1, GL_RGBA4, GL_BGRA, GL_UNSIGNED_SHORT_4_4_4_4_REV, kRgbOne, false, false},
    {D3DFMT_A8, 1, 1, GL_R8, GL_RED, GL_UNSIGNED_BYTE, kAlpha, false, false},
    {D3DFMT_L8, 1, 1, GL_R8, GL_RED, GL_UNSIGNED_BYTE, kLuminance, false, false},
    {D3DFMT_A8L8, 2, 1, GL_RG8, GL_RG, GL_UNSIGNED_BYTE, kLuminanceAlpha, false, false},
    {D3DFMT_V8U8, 2, 1, GL_RG8_SNORM, GL_RG, GL_BYTE, kBump, true, false},
    {D3DFMT_V16U16, 4, 1, GL_RG16_SNORM, GL_RG, GL_SHORT, kBump, true, false},
    {D3DFMT_DXT1, 8, 4, GL_RGBA8, GL_BGRA, GL_UNSIGNED_INT_8_8_8_8_REV, kRgba, false, false},
    {D3DFMT_DXT3, 16, 4, GL_RGBA8, GL_BGRA, GL_UNSIGNED_INT_8_8_8_8_REV, kRgba, false, false},
    {D3DFMT_DXT5, 16, 4, GL_RGBA8, GL_BGRA, GL_UNSIGNED_INT_8_8_8_8_REV, kRgba, false, false},
    {D3DFMT_D16, 2, 1, GL_DEPTH_COMPONENT16, GL_DEPTH_COMPONENT, GL_UNSIGNED_SHORT, kRgba, false, true},
    {D3DFMT_D24X8, 4, 1, GL_DEPTH_COMPONENT24, GL_DEPTH_COMPONENT, GL_UNSIGNED_INT, kRgba, false, true},
    {D3DFMT_D24S8, 4, 1, GL_DEPTH24_STENCIL8, GL_DEPTH_STENCIL, GL_UNSIGNED_INT_24_8, kRgba, false, true},
    // Four stencil bits are kept in eight.
    {D3DFMT_D24X4S4, 4, 1, GL_DEPTH24_STENCIL8, GL_DEPTH_STENCIL, GL_UNSIGNED_INT_24_8, kRgba, false, true},
    {D3DFMT_D32, 4, 1, GL_DEPTH_COMPONENT32, GL_DEPTH_COMPONENT, GL_UNSIGNED_INT, kRgba, false, true},
    {D3DFMT_INDEX16, 2, 1, 0, 0, GL_UNSIGNED_SHORT, kRgba, false, false},
    {D3DFMT_INDEX32, 4, 1, 0, 0, GL_UNSIGNED_INT, kRgba, false, false},
};

}  // namespace

const FormatInfo* FindFormat(D3DFORMAT format) {
    for (const FormatInfo& info : kFormats) {
        if (info.format == format) return &info;
    }
    return nullptr;
}

bool IsCompressed(D3DFORMAT format) {
    return format == D3DFMT_DXT1 || format == D3DFMT_DXT3 || format == D3DFMT_DXT5;
}

UINT RowPitch(const FormatInfo& format, UINT width) {
    const UINT blocks = (width + format.blockSize - 1) / format.blockSize;
    return (blocks * format.blockBytes + 3) & ~3u;
}

UINT StoredRows(const FormatInfo& format, UINT height) {
    return (height + format.blockSize - 1) / format.blockSize;
}

bool OnBlockEdges(const FormatInfo& format, const RECT& rect, UINT width, UINT height) {
    const auto block = static_cast<LONG>(format.blockSize);
    return rect.left % block == 0 && rect.top % block == 0 &&
           (rect.right % block == 0 || rect.right == static_cast<LONG>(width)) &&
           (rect.bottom % block == 0 || rect.bottom == static_cast<LONG>(height));
}

}  // namespace platform::d3d9
