// The raw-GL halves of the benchmarks that draw through the project's
// effect files: one technique's fragment code with the declarations the
// effect layer would give it, linked behind a vertex program of its own,
// and the textures and targets the passes use.
#pragma once

#include <map>
#include <string>
#include <vector>

#include <epoxy/gl.h>

#include <windows.h>

// The whole text of an effect file of resources/effects.
std::string ReadEffectFile(const char* name);

struct FragmentProgram {
    std::string source;
    std::vector<std::string> textures;            // texture parameters, true while bound
    std::map<std::string, std::string> samplers;  // sampler -> texture
};

// The fragment stage of a technique.
FragmentProgram ReadTechnique(const std::string& text, const std::string& technique);

// Attribute 0 holds the clip-space position in xy and the first texture
// coordinates in zw, attribute 1 the vertex colour (its current value while
// its array is off); texCoord1 is the position as picture uv, for a picture
// that fills the target.
GLuint Link(const FragmentProgram& fragment);

// 8-bit BGRA texels (none: undefined), linear, one level.
GLuint Texture(UINT width, UINT height, const std::vector<uint32_t>* texels, GLint wrap);
// A framebuffer drawing into the texture.
GLuint Framebuffer(GLuint texture);
