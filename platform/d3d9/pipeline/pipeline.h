// The fixed-function pipeline of one device: readies GL for a draw from
// the Direct3D state, with everything generated or made once and cached.
#pragma once

#include <array>
#include <span>

#include "d3d9/gl_object.h"
#include "d3d9/pipeline/linked_program.h"
#include "d3d9/pipeline/output_state.h"
#include "d3d9/pipeline/pipeline_key.h"
#include "d3d9/pipeline/program_cache.h"
#include "d3d9/pipeline/sampler_cache.h"
#include "d3d9/pipeline/vertex_input.h"
#include "d3d9/texture_binding.h"

namespace platform::d3d9::pipeline {

struct DrawSetup {
    const StateBlock& states;
    const PipelineKey& key;
    const VertexFormat& format;
    const AttributeUse& use;
    LinkedProgram* program;  // an effect pass's, instead of the generated one
    DWORD fvf;
    const std::array<TextureBinding*, kTextureStages>& textures;
    std::span<const D3DLIGHT9* const> lights;
    const D3DVIEWPORT9& viewport;
    bool depthBuffer;
    GLuint vertexBuffer;
    UINT vertexOffset;
    UINT stride;
};

class Pipeline {
public:
    Pipeline();

    void Prepare(const DrawSetup& setup);
    // GL state set outside the pipeline (Clear, render-target switches,
    // buffers going): set it again at the next draw.
    void Forget();
    // A buffer name may come back for another buffer once its buffer goes.
    void ForgetVertexInput() { input_.Forget(); }
    // Streaming buffers for vertices and indices given by pointer.
    GLuint UploadVertices(const void* data, size_t bytes);
    GLuint UploadIndices(const void* data, size_t bytes);
    // The context is gone: forget every name without deleting.
    void Abandon();

private:
    void PrepareGenerated(const DrawSetup& setup);
    void PrepareLinked(const DrawSetup& setup);
    void BindStage(int stage, TextureBinding* texture, const StateBlock& states);

    ProgramCache programs_;
    SamplerCache samplers_;
    OutputState output_;
    VertexInput input_;
    GlObject streamVertices_;
    GlObject streamIndices_;
    GLuint program_ = 0;
    std::array<GLuint, kTextureStages> samplerObjects_{};
    D3DVIEWPORT9 viewport_{};
};

}  // namespace platform::d3d9::pipeline
