// Reading pixels of the layer's pictures in tests.
#pragma once

#include "d3dx9/image.h"

#include <cmath>
#include <ostream>

namespace d3dx9_test {

// Bytes 0..255 for byte pictures, -1..1 for signed ones.
struct Rgba {
    float r, g, b, a;

    friend std::ostream& operator<<(std::ostream& out, const Rgba& c) {
        return out << "(" << c.r << ", " << c.g << ", " << c.b << ", " << c.a << ")";
    }
};

inline Rgba PixelAt(const platform::d3dx9::Pixels& pixels, UINT x, UINT y) {
    return std::visit(
        [&](const auto& image) {
            const auto* p = image.Pixel(x, y);
            return Rgba{float(p[2]), float(p[1]), float(p[0]), float(p[3])};
        },
        pixels);
}

inline bool Near(const Rgba& a, const Rgba& b, float tolerance) {
    return std::abs(a.r - b.r) <= tolerance && std::abs(a.g - b.g) <= tolerance && std::abs(a.b - b.b) <= tolerance &&
           std::abs(a.a - b.a) <= tolerance;
}

}  // namespace d3dx9_test
