// The fixed-function pipeline as GLSL 3.30 for one key.
#pragma once

#include "d3d9/pipeline/pixel_centre.h"

#include <string>

#include <epoxy/gl.h>

#include "d3d9/pipeline/pipeline_key.h"

namespace platform::d3d9::pipeline {

// Attribute locations the vertex program reads.
inline constexpr GLuint kPositionAttribute = 0;
inline constexpr GLuint kNormalAttribute = 1;
inline constexpr GLuint kDiffuseAttribute = 2;
inline constexpr GLuint kSpecularAttribute = 3;
inline constexpr GLuint kFirstCoordinateAttribute = 4;  // one per coordinate set

// What every vertex stage of the layer runs after its own transform, with
// the uniforms it reads: the generated stages and the effects' alike.
inline constexpr const char* kPostTransformUniforms = kPixelCentreUniform;
std::string PostTransform();
// gl_Position from aPosition: target pixels through uScreenToClip, or
// through uWorldViewProjection.
std::string PositionTransform(bool pretransformed);

std::string VertexProgram(const PipelineKey& key);
std::string FragmentProgram(const PipelineKey& key);

}  // namespace platform::d3d9::pipeline
