// The raw-GL halves of the effect benchmarks: the fragment programs of the
// project's effect files as plain GL programs, with the declarations the
// effect layer would give them, and the textures and framebuffers they
// draw with.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include <epoxy/gl.h>

#include <windows.h>

// An effect file of resources/effects by its name.
std::string ReadEffectFile(const char* name);

// The GLSL of one technique of an effect file.
struct FragmentProgram {
    std::string source;
    std::vector<std::string> textures;  // texture parameters, true while bound
    std::map<std::string, std::string> samplers;  // sampler -> texture
};

FragmentProgram ReadTechnique(const std::string& text, const std::string& technique);
// With a vertex stage that takes clip-space xy and texture coordinates in
// zw of attribute 0, and the vertex colour of attribute 1 (its current
// value while its array is off).
GLuint Link(const FragmentProgram& fragment);
// 8-bit BGRA texels (none: undefined), linear, one level.
GLuint Texture(UINT width, UINT height, const std::vector<uint32_t>* texels, GLint wrap);
GLuint Framebuffer(GLuint texture);
