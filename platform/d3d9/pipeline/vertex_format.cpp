#include "d3d9/pipeline/vertex_format.h"

namespace platform::d3d9::pipeline {
namespace {

constexpr DWORD kKnownBits = D3DFVF_POSITION_MASK | D3DFVF_NORMAL | D3DFVF_PSIZE | D3DFVF_DIFFUSE |
                             D3DFVF_SPECULAR | D3DFVF_TEXCOUNT_MASK | 0xFFFF0000;

// D3DFVF_TEXCOORDSIZEn: 0 two floats, 1 three, 2 four, 3 one.
UINT CoordinateComponents(DWORD fvf, UINT set) {
    constexpr UINT kComponents[] = {2, 3, 4, 1};
    return kComponents[(fvf >> (16 + set * 2)) & 3];
}

}  // namespace

VertexFormat DecodeFvf(DWORD fvf) {
    VertexFormat format;
    if ((fvf & ~kKnownBits) != 0) return format;
    const DWORD position = fvf & D3DFVF_POSITION_MASK;
    if (position != D3DFVF_XYZ && position != D3DFVF_XYZRHW) return format;
    format.pretransformed = position == D3DFVF_XYZRHW;
    UINT offset = format.positionBytes();
    if (fvf & D3DFVF_NORMAL) {
        format.normal = true;
        format.normalOffset = offset;
        offset += 12;
    }
    if (fvf & D3DFVF_PSIZE) offset += 4;
    if (fvf & D3DFVF_DIFFUSE) {
        format.diffuse = true;
        format.diffuseOffset = offset;
        offset += 4;
    }
    if (fvf & D3DFVF_SPECULAR) {
        format.specular = true;
        format.specularOffset = offset;
        offset += 4;
    }
    format.coordinateSets = (fvf & D3DFVF_TEXCOUNT_MASK) >> D3DFVF_TEXCOUNT_SHIFT;
    if (format.coordinateSets > kMaxCoordinateSets) return format;
    for (UINT set = 0; set < format.coordinateSets; ++set) {
        format.coordinateOffset[set] = offset;
        format.coordinateComponents[set] = CoordinateComponents(fvf, set);
        offset += format.coordinateComponents[set] * 4;
    }
    format.size = offset;
    format.valid = true;
    return format;
}

}  // namespace platform::d3d9::pipeline
