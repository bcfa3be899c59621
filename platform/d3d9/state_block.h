// The device state Direct3D 9 keeps between draws: render states,
// texture-stage states, sampler states, transforms and the material, each
// starting at Direct3D 9's documented default and kept until set again.
#pragma once

#include <array>

#include <d3d9.h>

namespace platform::d3d9 {

inline constexpr DWORD kRenderStateCount = 210;  // D3DRS_BLENDOPALPHA + 1
inline constexpr DWORD kTextureStages = 8;
inline constexpr DWORD kStageStateCount = 33;  // D3DTSS_CONSTANT + 1
inline constexpr DWORD kPixelSamplers = 16;
inline constexpr DWORD kSamplers = kPixelSamplers + 5;  // then the displacement map and 4 vertex samplers
inline constexpr DWORD kSamplerStateCount = 14;  // D3DSAMP_DMAPOFFSET + 1
inline constexpr DWORD kTransformCount = 257;  // up to D3DTS_WORLD

struct StateBlock {
    std::array<DWORD, kRenderStateCount> renderStates{};
    std::array<std::array<DWORD, kStageStateCount>, kTextureStages> stageStates{};
    std::array<std::array<DWORD, kSamplerStateCount>, kSamplers> samplerStates{};
    std::array<D3DMATRIX, kTransformCount> transforms{};
    D3DMATERIAL9 material{};

    // The defaults; D3DRS_ZENABLE is TRUE only with an automatic depth-stencil.
    static StateBlock Defaults(bool autoDepthStencil);
};

// Which state numbers exist: anything else is refused as Direct3D does.
bool IsRenderState(D3DRENDERSTATETYPE state);
bool IsStageState(D3DTEXTURESTAGESTATETYPE type);
bool IsSamplerState(D3DSAMPLERSTATETYPE type);
bool IsTransform(D3DTRANSFORMSTATETYPE state);
// The slot of a sampler number (0-15, D3DDMAPSAMPLER, the vertex samplers); false if none.
bool SamplerSlot(DWORD sampler, DWORD& slot);

}  // namespace platform::d3d9
