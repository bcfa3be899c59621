// Direct3D's pixel centres and fill convention on GL.
//
// Direct3D puts pixel centres on integer coordinates and lights a pixel
// whose centre lies exactly on a top or left edge. GL's centres lie half a
// pixel further, and with rows kept top first its tie rule takes the bottom
// edge instead. Every vertex program the layer links, its own or one a
// shader supplies, declares kPixelCentreUniform and ends with
// kPixelCentreStep: positions move by half a pixel less one sub-pixel step,
// so no centre is ever on an edge and coverage follows Direct3D's rule.
// Texture coordinates are read through AtPixelCentre, which undoes that
// sub-pixel step, so texel-exact copies stay exact.
#pragma once

#include <array>
#include <string>

#include <epoxy/gl.h>

namespace platform::d3d9::pipeline {

inline constexpr char kPixelCentreUniform[] = "uniform vec2 uPixelShift;\n";
inline constexpr char kPixelCentreStep[] = "    gl_Position.xy += uPixelShift * gl_Position.w;\n";

// uPixelShift, in clip units, for a viewport of width by height pixels.
std::array<GLfloat, 2> PixelShift(float width, float height);

// The first lines of a fragment program that reads AtPixelCentre.
std::string FragmentProgramHead();

// A fragment expression for the xy of an interpolated vec4 (an input of
// the program), taken back to the pixel centre the bias moved away from,
// so sampling stays exact.
std::string AtPixelCentre(const std::string& varying);

// Fragment code that rounds texture coordinates to Direct3D hardware's
// 1/256 of a texel, so a coordinate that lands exactly on a texel edge (a
// quad placed on whole pixels) reads the texel Direct3D reads rather than
// its neighbour across a wrap.
std::string SnapToSubTexels(const std::string& coordinates, const std::string& sampler);

}  // namespace platform::d3d9::pipeline
