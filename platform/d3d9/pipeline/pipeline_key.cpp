#include "d3d9/pipeline/pipeline_key.h"

#include <cstring>

namespace platform::d3d9::pipeline {
namespace {

constexpr DWORD kArgumentBits = D3DTA_SELECTMASK | D3DTA_COMPLEMENT | D3DTA_ALPHAREPLICATE;

bool UsesArg1(DWORD op) { return op != D3DTOP_SELECTARG2; }
bool UsesArg2(DWORD op) { return op != D3DTOP_SELECTARG1; }
bool IsBump(DWORD op) { return op == D3DTOP_BUMPENVMAP || op == D3DTOP_BUMPENVMAPLUMINANCE; }

// The operations the pipeline blends with; any other ends the cascade as
// DISABLE does.
bool Supported(DWORD op) {
    switch (op) {
        case D3DTOP_SELECTARG1: case D3DTOP_SELECTARG2: case D3DTOP_MODULATE: case D3DTOP_MODULATE2X:
        case D3DTOP_MODULATE4X: case D3DTOP_ADD: case D3DTOP_ADDSIGNED: case D3DTOP_SUBTRACT:
        case D3DTOP_BLENDDIFFUSEALPHA: case D3DTOP_BLENDTEXTUREALPHA: case D3DTOP_BLENDFACTORALPHA:
        case D3DTOP_BLENDCURRENTALPHA: case D3DTOP_BUMPENVMAP: case D3DTOP_BUMPENVMAPLUMINANCE:
            return true;
        default:
            return false;
    }
}

bool ReadsTexture(DWORD op, DWORD arg1, DWORD arg2) {
    if (op == D3DTOP_DISABLE) return false;
    if (IsBump(op) || op == D3DTOP_BLENDTEXTUREALPHA) return true;
    return (UsesArg1(op) && (arg1 & D3DTA_SELECTMASK) == D3DTA_TEXTURE) ||
           (UsesArg2(op) && (arg2 & D3DTA_SELECTMASK) == D3DTA_TEXTURE);
}

uint8_t MaterialSource(DWORD state, bool colorVertex, const VertexFormat& format) {
    if (colorVertex && state == D3DMCS_COLOR1 && format.diffuse) return kVertexDiffuse;
    if (colorVertex && state == D3DMCS_COLOR2 && format.specular) return kVertexSpecular;
    return kMaterialColour;
}

void SetCoordinates(StageKey& stage, const std::array<DWORD, kStageStateCount>& states,
                    const VertexFormat& format) {
    const DWORD index = states[D3DTSS_TEXCOORDINDEX];
    if ((index & 0xFFFF0000) == D3DTSS_TCI_CAMERASPACEPOSITION) {
        stage.coordinateSource = kCameraSpacePosition;
        stage.coordinateComponents = 3;
    } else {
        const DWORD set = index & 0xFFFF;
        stage.coordinateSource = static_cast<uint8_t>(set & 7);
        stage.coordinateComponents =
            set < format.coordinateSets ? static_cast<uint8_t>(format.coordinateComponents[set]) : 0;
    }
    const DWORD count = states[D3DTSS_TEXTURETRANSFORMFLAGS] & 0xFF;
    stage.transformCount = static_cast<uint8_t>(count <= D3DTTFF_COUNT4 ? count : 0);
}

}  // namespace

size_t PipelineKeyHash::operator()(const PipelineKey& key) const {
    const auto* bytes = reinterpret_cast<const unsigned char*>(&key);
    uint64_t hash = 1469598103934665603ull;
    for (size_t i = 0; i < sizeof key; ++i) hash = (hash ^ bytes[i]) * 1099511628211ull;
    return static_cast<size_t>(hash);
}

PipelineKey BuildKey(const StateBlock& states, const VertexFormat& format, uint32_t textured,
                     uint32_t signedTextures, UINT lightCount) {
    PipelineKey key;
    const auto& rs = states.renderStates;
    key.pretransformed = format.pretransformed;
    key.vertexDiffuse = format.diffuse;
    key.vertexSpecular = format.specular;
    key.lighting = !format.pretransformed && rs[D3DRS_LIGHTING];
    key.specularEnable = rs[D3DRS_SPECULARENABLE] != FALSE;
    if (key.lighting) {
        key.lightCount = static_cast<uint8_t>(lightCount < kMaxLights ? lightCount : kMaxLights);
        key.normal = format.normal;
        key.normalize = rs[D3DRS_NORMALIZENORMALS] != FALSE;
        key.localViewer = rs[D3DRS_LOCALVIEWER] != FALSE;
        const bool colorVertex = rs[D3DRS_COLORVERTEX] != FALSE;
        key.diffuseSource = MaterialSource(rs[D3DRS_DIFFUSEMATERIALSOURCE], colorVertex, format);
        key.ambientSource = MaterialSource(rs[D3DRS_AMBIENTMATERIALSOURCE], colorVertex, format);
        key.specularSource = MaterialSource(rs[D3DRS_SPECULARMATERIALSOURCE], colorVertex, format);
        key.emissiveSource = MaterialSource(rs[D3DRS_EMISSIVEMATERIALSOURCE], colorVertex, format);
    }
    key.flatShading = rs[D3DRS_SHADEMODE] == D3DSHADE_FLAT;
    if (rs[D3DRS_ALPHATESTENABLE] && rs[D3DRS_ALPHAFUNC] != D3DCMP_ALWAYS) {
        key.alphaFunc = static_cast<uint8_t>(rs[D3DRS_ALPHAFUNC] & 0xF);
    }

    // The cascade: the first disabled stage ends it, and so does a stage
    // that reads a texture while none is bound to it.
    uint8_t previousBump = 0;
    for (DWORD s = 0; s < kTextureStages; ++s) {
        const auto& stageStates = states.stageStates[s];
        DWORD colorOp = stageStates[D3DTSS_COLOROP];
        DWORD alphaOp = stageStates[D3DTSS_ALPHAOP];
        if (colorOp == D3DTOP_DISABLE || !Supported(colorOp)) break;
        if (alphaOp != D3DTOP_DISABLE && (!Supported(alphaOp) || IsBump(alphaOp))) alphaOp = D3DTOP_DISABLE;
        // A colour that reads a missing texture ends the cascade; an alpha
        // that does passes the current alpha on.
        const bool hasTexture = (textured & (1u << s)) != 0;
        const bool colourReads =
            ReadsTexture(colorOp, stageStates[D3DTSS_COLORARG1], stageStates[D3DTSS_COLORARG2]);
        if (colourReads && !hasTexture) break;
        bool alphaReads = ReadsTexture(alphaOp, stageStates[D3DTSS_ALPHAARG1], stageStates[D3DTSS_ALPHAARG2]);
        if (alphaReads && !hasTexture) {
            alphaOp = D3DTOP_DISABLE;
            alphaReads = false;
        }
        const bool reads = colourReads || alphaReads;

        StageKey& stage = key.stages[s];
        stage.colorOp = static_cast<uint8_t>(colorOp);
        stage.colorArg1 = static_cast<uint8_t>(stageStates[D3DTSS_COLORARG1] & kArgumentBits);
        stage.colorArg2 = static_cast<uint8_t>(stageStates[D3DTSS_COLORARG2] & kArgumentBits);
        stage.alphaOp = static_cast<uint8_t>(alphaOp);
        stage.alphaArg1 = static_cast<uint8_t>(stageStates[D3DTSS_ALPHAARG1] & kArgumentBits);
        stage.alphaArg2 = static_cast<uint8_t>(stageStates[D3DTSS_ALPHAARG2] & kArgumentBits);
        stage.samples = reads;
        stage.signedTexels = reads && (signedTextures & (1u << s)) != 0;
        stage.bumpedBy = previousBump;
        if (reads) SetCoordinates(stage, stageStates, format);
        previousBump = IsBump(colorOp) ? static_cast<uint8_t>(colorOp) : 0;
        key.stageCount = static_cast<uint8_t>(s + 1);
    }
    return key;
}

}  // namespace platform::d3d9::pipeline
