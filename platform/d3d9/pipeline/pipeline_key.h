// The state a generated program depends on, reduced to what changes the
// code: two draws with equal keys run the same program, and uniforms
// carry everything else (matrices, colours, the bump matrices).
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

#include "d3d9/pipeline/vertex_format.h"
#include "d3d9/state_block.h"

namespace platform::d3d9::pipeline {

inline constexpr uint8_t kCameraSpacePosition = 0xFF;  // the coordinate source instead of a set
inline constexpr uint8_t kMaterialColour = 0;          // material sources, resolved against the FVF
inline constexpr uint8_t kVertexDiffuse = 1;
inline constexpr uint8_t kVertexSpecular = 2;
inline constexpr UINT kMaxLights = 8;

struct StageKey {
    uint8_t colorOp = 0, colorArg1 = 0, colorArg2 = 0;
    uint8_t alphaOp = 0, alphaArg1 = 0, alphaArg2 = 0;
    uint8_t samples = 0;              // reads its texture
    uint8_t coordinateSource = 0;     // a set of the vertex, or kCameraSpacePosition
    uint8_t coordinateComponents = 0; // of that source; 0: the vertex lacks the set
    uint8_t transformCount = 0;       // D3DTTFF_COUNTn, 0 without a texture transform
    uint8_t bumpedBy = 0;             // 0, or the previous stage's op when it is a bump stage
    uint8_t signedTexels = 0;         // its texture may sample below 0

    bool operator==(const StageKey&) const = default;
};

struct PipelineKey {
    uint8_t stageCount = 0;  // stages in effect after the cascade
    uint8_t pretransformed = 0;
    uint8_t vertexDiffuse = 0;
    uint8_t vertexSpecular = 0;
    uint8_t lighting = 0;
    uint8_t lightCount = 0;
    uint8_t normal = 0;
    uint8_t normalize = 0;
    uint8_t localViewer = 0;
    uint8_t specularEnable = 0;
    uint8_t diffuseSource = 0, ambientSource = 0, specularSource = 0, emissiveSource = 0;
    uint8_t flatShading = 0;
    uint8_t alphaFunc = 0;  // 0: no alpha test
    std::array<StageKey, kTextureStages> stages{};

    bool operator==(const PipelineKey&) const = default;
};
static_assert(sizeof(PipelineKey) == 16 + sizeof(StageKey) * kTextureStages, "keys are hashed as bytes");

struct PipelineKeyHash {
    size_t operator()(const PipelineKey& key) const;
};

// textured: bit n set when stage n has a texture bound; signedTextures:
// when that texture is of a signed format.
PipelineKey BuildKey(const StateBlock& states, const VertexFormat& format, uint32_t textured,
                     uint32_t signedTextures, UINT lightCount);

}  // namespace platform::d3d9::pipeline
