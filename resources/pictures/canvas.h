// Pictures painted pixel by pixel from a function of the position.
#pragma once

#include <cstdint>
#include <vector>

namespace pictures {

// Opaque unless a picture with transparency sets its alpha.
struct Color {
    float r, g, b;
    float a = 1.0f;
};

constexpr Color Rgb(uint32_t hex) {
    return {static_cast<float>((hex >> 16) & 0xFF) / 255.0f, static_cast<float>((hex >> 8) & 0xFF) / 255.0f,
            static_cast<float>(hex & 0xFF) / 255.0f};
}

Color Mix(Color a, Color b, float t);
Color Scale(Color c, float factor);
Color Add(Color a, Color b);

float Clamp01(float x);
float SmoothStep(float edge0, float edge1, float x);
float Fraction(float x);

// u and v run from 0 to 1 across and down the picture.
using Painter = Color (*)(float u, float v);

// 8-bit rows, top first, of RGB or (channels 4) RGBA; each pixel the mean
// of samples × samples positions spread over it.
std::vector<uint8_t> Paint(int width, int height, int samples, Painter painter, int channels = 3);

}  // namespace pictures
