// Linked programs by key: the first draw with a key compiles and links,
// every later one finds it here.
#pragma once

#include <memory>
#include <unordered_map>

#include <epoxy/gl.h>

#include "d3d9/pipeline/pipeline_key.h"

namespace platform::d3d9::pipeline {

struct Program {
    GLuint name = 0;
    GLint worldViewProjection = -1, worldView = -1, normalMatrix = -1, screenToClip = -1, pixelShift = -1;
    GLint textureMatrix = -1, lightDirection = -1, lightDiffuse = -1, lightSpecular = -1, lightAmbient = -1;
    GLint material = -1, power = -1, ambient = -1;
    GLint textureFactor = -1, bumpMatrix = -1, bumpLuminance = -1, alphaReference = -1;

    explicit Program(const PipelineKey& key);
    ~Program();
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;
    // Forgets the name: the context that owned it is gone.
    void Abandon() { name = 0; }
};

class ProgramCache {
public:
    const Program& Get(const PipelineKey& key);
    size_t linked() const { return programs_.size(); }
    void Abandon();

private:
    std::unordered_map<PipelineKey, std::unique_ptr<Program>, PipelineKeyHash> programs_;
};

}  // namespace platform::d3d9::pipeline
