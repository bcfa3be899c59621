// Vertex attributes from a GL buffer laid out by an FVF: only the fields
// the program reads, so that nothing past them is fetched.
#pragma once

#include <cstdint>

#include "d3d9/gl_object.h"
#include "d3d9/pipeline/pipeline_key.h"
#include "d3d9/pipeline/vertex_format.h"

namespace platform::d3d9::pipeline {

struct AttributeUse {
    bool normal = false;
    bool diffuse = false;
    bool specular = false;
    uint32_t coordinateSets = 0;  // bit per set

    bool operator==(const AttributeUse&) const = default;
};

AttributeUse UsedAttributes(const VertexFormat& format, const PipelineKey& key);
AttributeUse AllAttributes(const VertexFormat& format);
// Bytes of a vertex the draw reads, from its start: the last vertex must
// have that many left in the buffer.
UINT ReadExtent(const VertexFormat& format, const AttributeUse& use);

class VertexInput {
public:
    VertexInput();
    // Points the attributes at buffer, the first vertex offset bytes in.
    void Bind(GLuint buffer, UINT offset, UINT stride, DWORD fvf, const VertexFormat& format,
              const AttributeUse& use);
    // GL names may be reused after a buffer goes: bind again next time.
    void Forget() { bound_ = false; }
    void Abandon() { vertexArray_.Abandon(); }

private:
    GlObject vertexArray_;
    bool bound_ = false;
    GLuint buffer_ = 0;
    UINT offset_ = 0, stride_ = 0;
    DWORD fvf_ = 0;
    AttributeUse use_;
};

}  // namespace platform::d3d9::pipeline
