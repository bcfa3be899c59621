#include "d3d9/dxt_decode.h"

#include <array>
#include <cstring>

namespace platform::d3d9 {
namespace {

uint16_t Word(const BYTE* bytes) { return static_cast<uint16_t>(bytes[0] | bytes[1] << 8); }

// 5:6:5 widened with the high bits repeated, as the hardware does.
std::array<DWORD, 3> Expand565(uint16_t colour) {
    const DWORD r = colour >> 11 & 31, g = colour >> 5 & 63, b = colour & 31;
    return {r << 3 | r >> 2, g << 2 | g >> 4, b << 3 | b >> 2};
}

D3DCOLOR Pack(DWORD a, const std::array<DWORD, 3>& rgb) { return a << 24 | rgb[0] << 16 | rgb[1] << 8 | rgb[2]; }

std::array<DWORD, 3> Mix(const std::array<DWORD, 3>& c0, const std::array<DWORD, 3>& c1, DWORD w0, DWORD w1) {
    std::array<DWORD, 3> mixed{};
    for (int i = 0; i < 3; ++i) mixed[i] = (c0[i] * w0 + c1[i] * w1) / (w0 + w1);
    return mixed;
}

// The colour half of a block: 16 pixels, alpha 255 or, for DXT1's
// three-colour mode, 0 at index 3.
std::array<D3DCOLOR, 16> ColourBlock(const BYTE* block, bool dxt1) {
    const uint16_t w0 = Word(block), w1 = Word(block + 2);
    const auto c0 = Expand565(w0), c1 = Expand565(w1);
    std::array<D3DCOLOR, 4> palette{Pack(255, c0), Pack(255, c1), 0, 0};
    if (w0 > w1 || !dxt1) {
        palette[2] = Pack(255, Mix(c0, c1, 2, 1));
        palette[3] = Pack(255, Mix(c0, c1, 1, 2));
    } else {
        palette[2] = Pack(255, Mix(c0, c1, 1, 1));
        palette[3] = 0;
    }
    std::array<D3DCOLOR, 16> pixels{};
    DWORD indices = 0;
    std::memcpy(&indices, block + 4, 4);
    for (int i = 0; i < 16; ++i) pixels[i] = palette[indices >> (2 * i) & 3];
    return pixels;
}

std::array<DWORD, 16> ExplicitAlpha(const BYTE* block) {
    std::array<DWORD, 16> alpha{};
    for (int i = 0; i < 16; ++i) alpha[i] = (block[i / 2] >> (4 * (i % 2)) & 15) * 17;
    return alpha;
}

std::array<DWORD, 16> InterpolatedAlpha(const BYTE* block) {
    const DWORD a0 = block[0], a1 = block[1];
    std::array<DWORD, 8> palette{a0, a1};
    if (a0 > a1) {
        for (DWORD i = 1; i < 7; ++i) palette[i + 1] = ((7 - i) * a0 + i * a1) / 7;
    } else {
        for (DWORD i = 1; i < 5; ++i) palette[i + 1] = ((5 - i) * a0 + i * a1) / 5;
        palette[6] = 0;
        palette[7] = 255;
    }
    uint64_t indices = 0;
    for (int i = 0; i < 6; ++i) indices |= static_cast<uint64_t>(block[2 + i]) << (8 * i);
    std::array<DWORD, 16> alpha{};
    for (int i = 0; i < 16; ++i) alpha[i] = palette[indices >> (3 * i) & 7];
    return alpha;
}

std::array<D3DCOLOR, 16> DecodeBlock(D3DFORMAT format, const BYTE* block) {
    if (format == D3DFMT_DXT1) return ColourBlock(block, true);
    auto pixels = ColourBlock(block + 8, false);
    const auto alpha = format == D3DFMT_DXT3 ? ExplicitAlpha(block) : InterpolatedAlpha(block);
    for (int i = 0; i < 16; ++i) pixels[i] = (pixels[i] & 0x00FFFFFF) | alpha[i] << 24;
    return pixels;
}

}  // namespace

std::vector<D3DCOLOR> DecodeDxt(D3DFORMAT format, const BYTE* blocks, UINT pitch, UINT width, UINT height) {
    const UINT blockBytes = format == D3DFMT_DXT1 ? 8 : 16;
    std::vector<D3DCOLOR> pixels(static_cast<size_t>(width) * height);
    for (UINT by = 0; by * 4 < height; ++by) {
        for (UINT bx = 0; bx * 4 < width; ++bx) {
            const auto decoded = DecodeBlock(format, blocks + static_cast<size_t>(by) * pitch + bx * blockBytes);
            for (UINT i = 0; i < 16; ++i) {
                const UINT x = bx * 4 + i % 4, y = by * 4 + i / 4;
                if (x < width && y < height) pixels[static_cast<size_t>(y) * width + x] = decoded[i];
            }
        }
    }
    return pixels;
}

}  // namespace platform::d3d9
