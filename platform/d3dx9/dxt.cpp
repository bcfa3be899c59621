#include "d3dx9/dxt.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdlib>
#include <cstring>

namespace platform::d3dx9 {
namespace {

using Colour = std::array<int, 3>;  // B, G, R

WORD ReadWord(const BYTE* p) { return WORD(p[0] | (p[1] << 8)); }
void WriteWord(BYTE* p, WORD v) {
    p[0] = BYTE(v);
    p[1] = BYTE(v >> 8);
}

Colour Expand565(WORD c) {
    int r = (c >> 11) & 31, g = (c >> 5) & 63, b = c & 31;
    return {(b << 3) | (b >> 2), (g << 2) | (g >> 4), (r << 3) | (r >> 2)};
}

WORD Quantise565(const Colour& c) {
    int b = (c[0] * 31 + 127) / 255, g = (c[1] * 63 + 127) / 255, r = (c[2] * 31 + 127) / 255;
    return WORD((r << 11) | (g << 5) | b);
}

Colour Mix(const Colour& a, const Colour& b, int wa, int wb) {
    Colour m;
    for (int i = 0; i < 3; ++i) m[i] = (a[i] * wa + b[i] * wb + (wa + wb) / 2) / (wa + wb);
    return m;
}

// The four colours of a colour block; the fourth is transparent black in
// the three-colour mode that DXT1 picks with c0 <= c1.
void Palette(WORD c0, WORD c1, bool allowThreeColour, Colour colours[4], bool& transparentLast) {
    colours[0] = Expand565(c0);
    colours[1] = Expand565(c1);
    transparentLast = allowThreeColour && c0 <= c1;
    if (allowThreeColour && c0 <= c1) {
        colours[2] = Mix(colours[0], colours[1], 1, 1);
        colours[3] = {0, 0, 0};
    } else {
        colours[2] = Mix(colours[0], colours[1], 2, 1);
        colours[3] = Mix(colours[0], colours[1], 1, 2);
    }
}

void DecodeColours(const BYTE* block, bool dxt1, BYTE pixels[64]) {
    Colour colours[4];
    bool transparentLast = false;
    Palette(ReadWord(block), ReadWord(block + 2), dxt1, colours, transparentLast);
    for (int i = 0; i < 16; ++i) {
        int index = (block[4 + i / 4] >> ((i % 4) * 2)) & 3;
        BYTE* p = pixels + i * 4;
        for (int c = 0; c < 3; ++c) p[c] = BYTE(colours[index][c]);
        p[3] = (transparentLast && index == 3) ? 0 : 255;
    }
}

void AlphaLevels(int a0, int a1, int levels[8]) {
    levels[0] = a0;
    levels[1] = a1;
    if (a0 > a1) {
        for (int i = 1; i < 7; ++i) levels[i + 1] = ((7 - i) * a0 + i * a1 + 3) / 7;
    } else {
        for (int i = 1; i < 5; ++i) levels[i + 1] = ((5 - i) * a0 + i * a1 + 2) / 5;
        levels[6] = 0;
        levels[7] = 255;
    }
}

void DecodeInterpolatedAlpha(const BYTE* block, BYTE pixels[64]) {
    int levels[8];
    AlphaLevels(block[0], block[1], levels);
    uint64_t bits = 0;
    for (int i = 0; i < 6; ++i) bits |= uint64_t{block[2 + i]} << (8 * i);
    for (int i = 0; i < 16; ++i) pixels[i * 4 + 3] = BYTE(levels[(bits >> (3 * i)) & 7]);
}

int Distance(const Colour& a, const BYTE* p) {
    int d = 0;
    for (int c = 0; c < 3; ++c) d += (a[c] - p[c]) * (a[c] - p[c]);
    return d;
}

void EncodeColours(const BYTE pixels[64], bool dxt1, BYTE* block) {
    bool anyTransparent = false;
    if (dxt1) {
        for (int i = 0; i < 16; ++i) anyTransparent |= pixels[i * 4 + 3] < 128;
    }
    // End points: the extreme colours along the block's bounding-box
    // diagonal, among the opaque pixels.
    Colour low{255, 255, 255}, high{0, 0, 0};
    for (int i = 0; i < 16; ++i) {
        if (anyTransparent && pixels[i * 4 + 3] < 128) continue;
        for (int c = 0; c < 3; ++c) {
            low[c] = std::min<int>(low[c], pixels[i * 4 + c]);
            high[c] = std::max<int>(high[c], pixels[i * 4 + c]);
        }
    }
    Colour axis{high[0] - low[0], high[1] - low[1], high[2] - low[2]};
    int minProjection = 1 << 30, maxProjection = -(1 << 30);
    Colour first = low, second = high;
    for (int i = 0; i < 16; ++i) {
        const BYTE* p = pixels + i * 4;
        if (anyTransparent && p[3] < 128) continue;
        int projection = axis[0] * p[0] + axis[1] * p[1] + axis[2] * p[2];
        if (projection < minProjection) {
            minProjection = projection;
            first = {p[0], p[1], p[2]};
        }
        if (projection > maxProjection) {
            maxProjection = projection;
            second = {p[0], p[1], p[2]};
        }
    }
    WORD c0 = Quantise565(second), c1 = Quantise565(first);
    // Four-colour mode needs c0 > c1, three-colour mode (transparency) c0 <= c1.
    if (anyTransparent ? c0 > c1 : c0 < c1) std::swap(c0, c1);
    WriteWord(block, c0);
    WriteWord(block + 2, c1);

    Colour colours[4];
    bool transparentLast = false;
    Palette(c0, c1, dxt1, colours, transparentLast);
    int usable = transparentLast ? 3 : 4;
    std::memset(block + 4, 0, 4);
    for (int i = 0; i < 16; ++i) {
        const BYTE* p = pixels + i * 4;
        int best = 0;
        if (transparentLast && p[3] < 128) {
            best = 3;
        } else {
            for (int k = 1; k < usable; ++k) {
                if (Distance(colours[k], p) < Distance(colours[best], p)) best = k;
            }
        }
        block[4 + i / 4] |= BYTE(best << ((i % 4) * 2));
    }
}

void EncodeInterpolatedAlpha(const BYTE pixels[64], BYTE* block) {
    int a0 = 0, a1 = 255;
    for (int i = 0; i < 16; ++i) {
        a0 = std::max<int>(a0, pixels[i * 4 + 3]);
        a1 = std::min<int>(a1, pixels[i * 4 + 3]);
    }
    int levels[8];
    // a0 > a1 selects the eight-level mode; equal end points need no index.
    if (a0 == a1) a1 = a0 > 0 ? a0 - 1 : a0;
    if (a0 == a1) a0 = 1;  // all zero: 1 > 0 still holds 0 at index 1
    AlphaLevels(a0, a1, levels);
    block[0] = BYTE(a0);
    block[1] = BYTE(a1);
    uint64_t bits = 0;
    for (int i = 0; i < 16; ++i) {
        int alpha = pixels[i * 4 + 3], best = 0;
        for (int k = 1; k < 8; ++k) {
            if (std::abs(levels[k] - alpha) < std::abs(levels[best] - alpha)) best = k;
        }
        bits |= uint64_t(best) << (3 * i);
    }
    for (int i = 0; i < 6; ++i) block[2 + i] = BYTE(bits >> (8 * i));
}

}  // namespace

bool IsDxtFormat(D3DFORMAT format) {
    return format == D3DFMT_DXT1 || format == D3DFMT_DXT2 || format == D3DFMT_DXT3 || format == D3DFMT_DXT4 ||
           format == D3DFMT_DXT5;
}

UINT DxtBlockBytes(D3DFORMAT format) { return format == D3DFMT_DXT1 ? 8 : 16; }

void DecodeDxtBlock(D3DFORMAT format, const BYTE* block, BYTE pixels[64]) {
    if (format == D3DFMT_DXT1) {
        DecodeColours(block, true, pixels);
        return;
    }
    DecodeColours(block + 8, false, pixels);
    if (format == D3DFMT_DXT2 || format == D3DFMT_DXT3) {
        for (int i = 0; i < 16; ++i) pixels[i * 4 + 3] = BYTE(((block[i / 2] >> ((i % 2) * 4)) & 15) * 17);
    } else {
        DecodeInterpolatedAlpha(block, pixels);
    }
}

void EncodeDxtBlock(D3DFORMAT format, const BYTE pixels[64], BYTE* block) {
    if (format == D3DFMT_DXT1) {
        EncodeColours(pixels, true, block);
        return;
    }
    EncodeColours(pixels, false, block + 8);
    if (format == D3DFMT_DXT2 || format == D3DFMT_DXT3) {
        std::memset(block, 0, 8);
        for (int i = 0; i < 16; ++i) block[i / 2] |= BYTE(((pixels[i * 4 + 3] * 15 + 127) / 255) << ((i % 2) * 4));
    } else {
        EncodeInterpolatedAlpha(pixels, block);
    }
}

}  // namespace platform::d3dx9
