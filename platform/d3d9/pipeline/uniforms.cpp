#include "d3d9/pipeline/uniforms.h"

#include "d3d9/formats.h"
#include "d3d9/pipeline/pixel_centre.h"

#include <array>
#include <bit>
#include <cmath>

namespace platform::d3d9::pipeline {
namespace {

using Matrix = std::array<float, 16>;  // Direct3D's rows, one after another

Matrix Of(const D3DMATRIX& m) { return std::bit_cast<Matrix>(m); }

// Row vectors: a × b applies a first.
Matrix Multiply(const Matrix& a, const Matrix& b) {
    Matrix product{};
    for (int row = 0; row < 4; ++row) {
        for (int column = 0; column < 4; ++column) {
            float sum = 0.f;
            for (int k = 0; k < 4; ++k) sum += a[row * 4 + k] * b[k * 4 + column];
            product[row * 4 + column] = sum;
        }
    }
    return product;
}

// The upper 3 × 3 of the inverse transpose, laid out for a GLSL mat3 that
// multiplies a column normal (which is a row normal times the D3D matrix).
std::array<float, 9> NormalMatrix(const Matrix& m) {
    const auto at = [&](int r, int c) { return m[r * 4 + c]; };
    const float cofactor[3][3] = {
        {at(1, 1) * at(2, 2) - at(1, 2) * at(2, 1), at(1, 2) * at(2, 0) - at(1, 0) * at(2, 2),
         at(1, 0) * at(2, 1) - at(1, 1) * at(2, 0)},
        {at(0, 2) * at(2, 1) - at(0, 1) * at(2, 2), at(0, 0) * at(2, 2) - at(0, 2) * at(2, 0),
         at(0, 1) * at(2, 0) - at(0, 0) * at(2, 1)},
        {at(0, 1) * at(1, 2) - at(0, 2) * at(1, 1), at(0, 2) * at(1, 0) - at(0, 0) * at(1, 2),
         at(0, 0) * at(1, 1) - at(0, 1) * at(1, 0)}};
    const float determinant = at(0, 0) * cofactor[0][0] + at(0, 1) * cofactor[0][1] + at(0, 2) * cofactor[0][2];
    const float scale = determinant != 0.f ? 1.f / determinant : 0.f;
    // The inverse transpose is the cofactor matrix over the determinant; a
    // GLSL mat3 times a column normal wants its rows as the columns.
    std::array<float, 9> normal{};
    for (int r = 0; r < 3; ++r) {
        for (int c = 0; c < 3; ++c) normal[r * 3 + c] = cofactor[r][c] * scale;
    }
    return normal;
}

std::array<float, 4> Colour(const D3DCOLORVALUE& c) { return {c.r, c.g, c.b, c.a}; }

std::array<float, 4> Colour(DWORD c) { return ColourToRgba(c); }

float Float(DWORD bits) { return std::bit_cast<float>(bits); }

void Lights(const Program& program, const UniformInputs& in) {
    const Matrix view = Of(in.states.transforms[D3DTS_VIEW]);
    std::array<float, 3 * kMaxLights> direction{};
    std::array<float, 4 * kMaxLights> diffuse{}, specular{}, ambient{};
    const size_t count = std::min<size_t>(in.lights.size(), kMaxLights);
    for (size_t i = 0; i < count; ++i) {
        const D3DLIGHT9& light = *in.lights[i];
        const D3DVECTOR& d = light.Direction;
        // Towards the light, in camera space: -norm(direction × view).
        float x = d.x * view[0] + d.y * view[4] + d.z * view[8];
        float y = d.x * view[1] + d.y * view[5] + d.z * view[9];
        float z = d.x * view[2] + d.y * view[6] + d.z * view[10];
        const float length = std::sqrt(x * x + y * y + z * z);
        const float scale = length > 0.f ? -1.f / length : 0.f;
        direction[i * 3] = x * scale;
        direction[i * 3 + 1] = y * scale;
        direction[i * 3 + 2] = z * scale;
        const auto put = [i](std::array<float, 4 * kMaxLights>& to, const D3DCOLORVALUE& c) {
            const auto value = Colour(c);
            std::copy(value.begin(), value.end(), to.begin() + static_cast<std::ptrdiff_t>(i * 4));
        };
        put(diffuse, light.Diffuse);
        put(specular, light.Specular);
        put(ambient, light.Ambient);
    }
    const auto n = static_cast<GLsizei>(kMaxLights);
    glUniform3fv(program.lightDirection, n, direction.data());
    glUniform4fv(program.lightDiffuse, n, diffuse.data());
    glUniform4fv(program.lightSpecular, n, specular.data());
    glUniform4fv(program.lightAmbient, n, ambient.data());
    const D3DMATERIAL9& material = in.states.material;
    std::array<float, 16> materials{};
    const D3DCOLORVALUE* colours[] = {&material.Diffuse, &material.Ambient, &material.Specular, &material.Emissive};
    for (int i = 0; i < 4; ++i) {
        const auto value = Colour(*colours[i]);
        std::copy(value.begin(), value.end(), materials.begin() + i * 4);
    }
    glUniform4fv(program.material, 4, materials.data());
    glUniform1f(program.power, material.Power);
    glUniform4fv(program.ambient, 1, Colour(in.states.renderStates[D3DRS_AMBIENT]).data());
}

void ViewportMapping(GLint pixelShift, GLint screenToClip, const D3DVIEWPORT9& vp) {
    const float width = static_cast<float>(vp.Width), height = static_cast<float>(vp.Height);
    glUniform2fv(pixelShift, 1, PixelShift(width, height).data());
    glUniform4f(screenToClip, 2.f / width, -2.f / height, -1.f - 2.f * static_cast<float>(vp.X) / width,
                1.f + 2.f * static_cast<float>(vp.Y) / height);
}

}  // namespace

void UploadTransforms(const LinkedProgram& program, const StateBlock& states, const D3DVIEWPORT9& viewport,
                      bool pretransformed) {
    ViewportMapping(program.pixelShift, program.screenToClip, viewport);
    glUniform1i(program.pretransformed, pretransformed ? 1 : 0);
    const Matrix world = Of(states.transforms[D3DTS_WORLD]);
    const Matrix view = Of(states.transforms[D3DTS_VIEW]);
    const Matrix projection = Of(states.transforms[D3DTS_PROJECTION]);
    const Matrix all = Multiply(Multiply(world, view), projection);
    glUniformMatrix4fv(program.world, 1, GL_FALSE, world.data());
    glUniformMatrix4fv(program.view, 1, GL_FALSE, view.data());
    glUniformMatrix4fv(program.projection, 1, GL_FALSE, projection.data());
    glUniformMatrix4fv(program.worldViewProjection, 1, GL_FALSE, all.data());
}

void UploadUniforms(const Program& program, const UniformInputs& in) {
    const auto& rs = in.states.renderStates;
    ViewportMapping(program.pixelShift, program.screenToClip, in.viewport);
    if (!in.key.pretransformed) {
        const Matrix worldView =
            Multiply(Of(in.states.transforms[D3DTS_WORLD]), Of(in.states.transforms[D3DTS_VIEW]));
        const Matrix all = Multiply(worldView, Of(in.states.transforms[D3DTS_PROJECTION]));
        glUniformMatrix4fv(program.worldViewProjection, 1, GL_FALSE, all.data());
        glUniformMatrix4fv(program.worldView, 1, GL_FALSE, worldView.data());
        if (in.key.lighting) {
            glUniformMatrix3fv(program.normalMatrix, 1, GL_FALSE, NormalMatrix(worldView).data());
            Lights(program, in);
        }
    }
    std::array<float, 16 * kTextureStages> textureMatrices{};
    std::array<float, 4 * kTextureStages> bumpMatrices{};
    std::array<float, 2 * kTextureStages> bumpLuminance{};
    for (int s = 0; s < in.key.stageCount; ++s) {
        const auto& stage = in.states.stageStates[s];
        const Matrix texture = Of(in.states.transforms[D3DTS_TEXTURE0 + s]);
        std::copy(texture.begin(), texture.end(), textureMatrices.begin() + s * 16);
        bumpMatrices[s * 4] = Float(stage[D3DTSS_BUMPENVMAT00]);
        bumpMatrices[s * 4 + 1] = Float(stage[D3DTSS_BUMPENVMAT01]);
        bumpMatrices[s * 4 + 2] = Float(stage[D3DTSS_BUMPENVMAT10]);
        bumpMatrices[s * 4 + 3] = Float(stage[D3DTSS_BUMPENVMAT11]);
        bumpLuminance[s * 2] = Float(stage[D3DTSS_BUMPENVLSCALE]);
        bumpLuminance[s * 2 + 1] = Float(stage[D3DTSS_BUMPENVLOFFSET]);
    }
    const auto stages = static_cast<GLsizei>(kTextureStages);
    glUniformMatrix4fv(program.textureMatrix, stages, GL_FALSE, textureMatrices.data());
    glUniformMatrix2fv(program.bumpMatrix, stages, GL_FALSE, bumpMatrices.data());
    glUniform2fv(program.bumpLuminance, stages, bumpLuminance.data());
    glUniform4fv(program.textureFactor, 1, Colour(rs[D3DRS_TEXTUREFACTOR]).data());
    glUniform1f(program.alphaReference, static_cast<float>(rs[D3DRS_ALPHAREF] & 0xFF));
}

}  // namespace platform::d3d9::pipeline
