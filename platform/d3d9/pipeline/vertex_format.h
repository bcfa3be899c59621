// Where each field of a flexible-vertex-format vertex lies.
#pragma once

#include <array>

#include <d3d9.h>

namespace platform::d3d9::pipeline {

inline constexpr UINT kMaxCoordinateSets = 8;

struct VertexFormat {
    bool valid = false;
    bool pretransformed = false;  // XYZRHW: four floats in target pixels
    bool normal = false;
    bool diffuse = false;
    bool specular = false;
    UINT normalOffset = 0;
    UINT diffuseOffset = 0;
    UINT specularOffset = 0;
    UINT coordinateSets = 0;
    std::array<UINT, kMaxCoordinateSets> coordinateOffset{};
    std::array<UINT, kMaxCoordinateSets> coordinateComponents{};
    UINT size = 0;  // the declared size; the stride comes from the stream

    UINT positionBytes() const { return pretransformed ? 16 : 12; }
};

// Invalid for position types the fixed-function path does not draw
// (blend weights, XYZW) and for unknown bits.
VertexFormat DecodeFvf(DWORD fvf);

}  // namespace platform::d3d9::pipeline
