#include "d3d9/pipeline/pipeline.h"

#include <cstring>

#include "d3d9/pipeline/glsl_generator.h"
#include "d3d9/pipeline/uniforms.h"

namespace platform::d3d9::pipeline {

Pipeline::Pipeline()
    : streamVertices_(GlObject::Kind::Buffer), streamIndices_(GlObject::Kind::Buffer) {
    // Flat shading takes a triangle's first vertex, as Direct3D does.
    glProvokingVertex(GL_FIRST_VERTEX_CONVENTION);
    // What a program reads of a format without diffuse: white, as Direct3D's.
    glVertexAttrib4f(kDiffuseAttribute, 1.f, 1.f, 1.f, 1.f);
}

void Pipeline::Prepare(const DrawSetup& setup) {
    if (setup.program) {
        PrepareLinked(setup);
    } else {
        PrepareGenerated(setup);
    }

    output_.Apply(setup.states, setup.depthBuffer);
    const D3DVIEWPORT9& vp = setup.viewport;
    if (std::memcmp(&vp, &viewport_, sizeof vp) != 0) {
        glViewport(static_cast<GLint>(vp.X), static_cast<GLint>(vp.Y), static_cast<GLsizei>(vp.Width),
                   static_cast<GLsizei>(vp.Height));
        glDepthRange(vp.MinZ, vp.MaxZ);
        viewport_ = vp;
    }
    input_.Bind(setup.vertexBuffer, setup.vertexOffset, setup.stride, setup.fvf, setup.format, setup.use);
}

void Pipeline::PrepareGenerated(const DrawSetup& setup) {
    const size_t linked = programs_.linked();
    const Program& program = programs_.Get(setup.key);
    if (programs_.linked() != linked) program_ = 0;  // linking made it current
    if (program.name != program_) {
        glUseProgram(program.name);
        program_ = program.name;
    }
    UploadUniforms(program, {setup.states, setup.key, setup.lights, setup.viewport});
    for (int s = 0; s < setup.key.stageCount; ++s) {
        if (setup.key.stages[s].samples) BindStage(s, setup.textures[s], setup.states);
    }
}

void Pipeline::PrepareLinked(const DrawSetup& setup) {
    // The name of a program gone may come back for another: use it every time.
    LinkedProgram& program = *setup.program;
    glUseProgram(program.name());
    program_ = program.name();
    program.Upload();
    UploadTransforms(program, setup.states, setup.viewport, setup.format.pretransformed);
    for (int s = 0; s < static_cast<int>(kTextureStages); ++s) {
        if (program.samplerUnits() & (1u << s)) BindStage(s, setup.textures[s], setup.states);
    }
}

void Pipeline::BindStage(int stage, TextureBinding* texture, const StateBlock& states) {
    // Texture names come back after a texture goes: bind every time, and
    // after the texture had its chance to upload on this unit. Unit 0's
    // texture object is incomplete and samples as (0, 0, 0, 1).
    glActiveTexture(GL_TEXTURE0 + stage);
    glBindTexture(GL_TEXTURE_2D, texture ? texture->GlTexture() : 0);
    const GLuint sampler = samplers_.Get(states.samplerStates[stage]);
    if (sampler != samplerObjects_[stage]) {
        glBindSampler(stage, sampler);
        samplerObjects_[stage] = sampler;
    }
}

void Pipeline::Forget() {
    output_.Forget();
    input_.Forget();
    viewport_ = {};
}

GLuint Pipeline::UploadVertices(const void* data, size_t bytes) {
    glBindBuffer(GL_ARRAY_BUFFER, streamVertices_.name());
    glBufferData(GL_ARRAY_BUFFER, static_cast<GLsizeiptr>(bytes), data, GL_STREAM_DRAW);
    return streamVertices_.name();
}

GLuint Pipeline::UploadIndices(const void* data, size_t bytes) {
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, streamIndices_.name());
    glBufferData(GL_ELEMENT_ARRAY_BUFFER, static_cast<GLsizeiptr>(bytes), data, GL_STREAM_DRAW);
    return streamIndices_.name();
}

void Pipeline::Abandon() {
    programs_.Abandon();
    samplers_.Abandon();
    input_.Abandon();
    streamVertices_.Abandon();
    streamIndices_.Abandon();
}

}  // namespace platform::d3d9::pipeline
