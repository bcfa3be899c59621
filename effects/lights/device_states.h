// Short forms of the state calls every layer makes on the current device.
#pragma once

#include <windows.h>

#include <d3d9.h>

#include <bit>

#include "scene/render/current_device.h"

namespace lights {

inline void SetRender(D3DRENDERSTATETYPE state, DWORD value) { g_currentDevice->SetRenderState(state, value); }
inline void SetStage(DWORD stage, D3DTEXTURESTAGESTATETYPE type, DWORD value)
{
    g_currentDevice->SetTextureStageState(stage, type, value);
}
inline void SetSampler(DWORD sampler, D3DSAMPLERSTATETYPE type, DWORD value)
{
    g_currentDevice->SetSamplerState(sampler, type, value);
}
// Linear filtering both ways and the address mode on both axes.
inline void SetLinearSampler(DWORD sampler, DWORD address)
{
    SetSampler(sampler, D3DSAMP_MINFILTER, D3DTEXF_LINEAR);
    SetSampler(sampler, D3DSAMP_MAGFILTER, D3DTEXF_LINEAR);
    SetSampler(sampler, D3DSAMP_ADDRESSU, address);
    SetSampler(sampler, D3DSAMP_ADDRESSV, address);
}
// Float stage states travel as their bit pattern.
inline DWORD FloatBits(float value) { return std::bit_cast<DWORD>(value); }

// Stage 0's bump matrix, row by row.
inline void SetBumpMatrix(float m00, float m01, float m10, float m11)
{
    SetStage(0, D3DTSS_BUMPENVMAT00, FloatBits(m00));
    SetStage(0, D3DTSS_BUMPENVMAT01, FloatBits(m01));
    SetStage(0, D3DTSS_BUMPENVMAT10, FloatBits(m10));
    SetStage(0, D3DTSS_BUMPENVMAT11, FloatBits(m11));
}

} // namespace lights
