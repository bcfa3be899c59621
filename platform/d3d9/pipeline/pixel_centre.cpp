#include "d3d9/pipeline/pixel_centre.h"

#include <algorithm>

namespace platform::d3d9::pipeline {
namespace {

// The rasteriser's own sub-pixel step: a smaller bias would snap back onto
// the edge, a larger one moves geometry for nothing.
float SubPixelStep() {
    static const float step = [] {
        GLint bits = 0;
        glGetIntegerv(GL_SUBPIXEL_BITS, &bits);
        return 1.f / static_cast<float>(1 << std::clamp(bits, 4, 8));
    }();
    return step;
}

bool InterpolatesAtOffsets() {
    static const bool offered = epoxy_has_gl_extension("GL_ARB_gpu_shader5");
    return offered;
}

}  // namespace

std::string FragmentProgramHead() {
    return InterpolatesAtOffsets() ? "#version 330 core\n#extension GL_ARB_gpu_shader5 : require\n"
                                   : "#version 330 core\n";
}

std::array<GLfloat, 2> PixelShift(float width, float height) {
    // One pixel is 2 / size in clip units; clip y runs up the rows.
    const float pixels = 0.5f - SubPixelStep();
    return {2.f * pixels / width, -2.f * pixels / height};
}

std::string AtPixelCentre(const std::string& varying) {
    const std::string step = std::to_string(SubPixelStep());
    // Evaluated at the centre itself where the driver can: exact, and far
    // cheaper on a software rasteriser than two derivatives.
    if (InterpolatesAtOffsets()) return "interpolateAtOffset(" + varying + ", vec2(-" + step + ")).xy";
    const std::string xy = varying + ".xy";
    return "(" + xy + " - " + step + " * (dFdx(" + xy + ") + dFdy(" + xy + ")))";
}

std::string SnapToSubTexels(const std::string& coordinates, const std::string& sampler) {
    const std::string steps = "(vec2(textureSize(" + sampler + ", 0)) * 256.0)";
    return "    " + coordinates + " = round(" + coordinates + " * " + steps + ") / " + steps + ";\n";
}

}  // namespace platform::d3d9::pipeline
