#include "d3d9/pipeline/vertex_input.h"

#include <algorithm>

#include "d3d9/pipeline/glsl_generator.h"

namespace platform::d3d9::pipeline {
namespace {

const void* At(UINT offset) { return reinterpret_cast<const void*>(static_cast<uintptr_t>(offset)); }

void Attribute(GLuint location, bool used, GLint size, GLenum type, GLboolean normalized, UINT stride,
               UINT offset) {
    if (!used) {
        glDisableVertexAttribArray(location);
        return;
    }
    glEnableVertexAttribArray(location);
    glVertexAttribPointer(location, size, type, normalized, static_cast<GLsizei>(stride), At(offset));
}

}  // namespace

AttributeUse UsedAttributes(const VertexFormat& format, const PipelineKey& key) {
    AttributeUse use;
    use.normal = format.normal && key.lighting && key.normal;
    use.diffuse = format.diffuse;
    use.specular = format.specular;
    for (int s = 0; s < key.stageCount; ++s) {
        const StageKey& stage = key.stages[s];
        if (stage.samples && stage.coordinateSource != kCameraSpacePosition && stage.coordinateComponents) {
            use.coordinateSets |= 1u << stage.coordinateSource;
        }
    }
    return use;
}

AttributeUse AllAttributes(const VertexFormat& format) {
    return {format.normal, format.diffuse, format.specular, (1u << format.coordinateSets) - 1};
}

UINT ReadExtent(const VertexFormat& format, const AttributeUse& use) {
    UINT extent = format.positionBytes();
    if (use.normal) extent = std::max(extent, format.normalOffset + 12);
    if (use.diffuse) extent = std::max(extent, format.diffuseOffset + 4);
    if (use.specular) extent = std::max(extent, format.specularOffset + 4);
    for (UINT set = 0; set < format.coordinateSets; ++set) {
        if (use.coordinateSets & (1u << set)) {
            extent = std::max(extent, format.coordinateOffset[set] + format.coordinateComponents[set] * 4);
        }
    }
    return extent;
}

VertexInput::VertexInput() : vertexArray_(GlObject::Kind::VertexArray) { glBindVertexArray(vertexArray_.name()); }

void VertexInput::Bind(GLuint buffer, UINT offset, UINT stride, DWORD fvf, const VertexFormat& format,
                       const AttributeUse& use) {
    if (bound_ && buffer == buffer_ && offset == offset_ && stride == stride_ && fvf == fvf_ && use == use_) return;
    glBindBuffer(GL_ARRAY_BUFFER, buffer);
    Attribute(kPositionAttribute, true, format.pretransformed ? 4 : 3, GL_FLOAT, GL_FALSE, stride, offset);
    Attribute(kNormalAttribute, use.normal, 3, GL_FLOAT, GL_FALSE, stride, offset + format.normalOffset);
    // D3DCOLOR is B, G, R, A in memory.
    Attribute(kDiffuseAttribute, use.diffuse, GL_BGRA, GL_UNSIGNED_BYTE, GL_TRUE, stride,
              offset + format.diffuseOffset);
    Attribute(kSpecularAttribute, use.specular, GL_BGRA, GL_UNSIGNED_BYTE, GL_TRUE, stride,
              offset + format.specularOffset);
    for (UINT set = 0; set < kMaxCoordinateSets; ++set) {
        const bool used = set < format.coordinateSets && (use.coordinateSets & (1u << set));
        Attribute(kFirstCoordinateAttribute + set, used, static_cast<GLint>(format.coordinateComponents[set]),
                  GL_FLOAT, GL_FALSE, stride, offset + format.coordinateOffset[set]);
    }
    bound_ = true;
    buffer_ = buffer;
    offset_ = offset;
    stride_ = stride;
    fvf_ = fvf;
    use_ = use;
}

}  // namespace platform::d3d9::pipeline
