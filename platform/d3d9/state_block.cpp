#include "d3d9/state_block.h"

#include <bit>
#include <utility>

namespace platform::d3d9 {
namespace {

DWORD FloatBits(float value) { return std::bit_cast<DWORD>(value); }

// Render states that do not start at zero.
const std::pair<D3DRENDERSTATETYPE, DWORD> kRenderDefaults[] = {
    {D3DRS_FILLMODE, D3DFILL_SOLID},
    {D3DRS_SHADEMODE, D3DSHADE_GOURAUD},
    {D3DRS_ZWRITEENABLE, TRUE},
    {D3DRS_LASTPIXEL, TRUE},
    {D3DRS_SRCBLEND, D3DBLEND_ONE},
    {D3DRS_DESTBLEND, D3DBLEND_ZERO},
    {D3DRS_CULLMODE, D3DCULL_CCW},
    {D3DRS_ZFUNC, D3DCMP_LESSEQUAL},
    {D3DRS_ALPHAFUNC, D3DCMP_ALWAYS},
    {D3DRS_FOGEND, FloatBits(1.f)},
    {D3DRS_FOGDENSITY, FloatBits(1.f)},
    {D3DRS_STENCILFAIL, D3DSTENCILOP_KEEP},
    {D3DRS_STENCILZFAIL, D3DSTENCILOP_KEEP},
    {D3DRS_STENCILPASS, D3DSTENCILOP_KEEP},
    {D3DRS_STENCILFUNC, D3DCMP_ALWAYS},
    {D3DRS_STENCILMASK, 0xFFFFFFFF},
    {D3DRS_STENCILWRITEMASK, 0xFFFFFFFF},
    {D3DRS_TEXTUREFACTOR, 0xFFFFFFFF},
    {D3DRS_CLIPPING, TRUE},
    {D3DRS_LIGHTING, TRUE},
    {D3DRS_COLORVERTEX, TRUE},
    {D3DRS_LOCALVIEWER, TRUE},
    {D3DRS_DIFFUSEMATERIALSOURCE, D3DMCS_COLOR1},
    {D3DRS_SPECULARMATERIALSOURCE, D3DMCS_COLOR2},
    {D3DRS_POINTSIZE, FloatBits(1.f)},
    {D3DRS_POINTSIZE_MIN, FloatBits(1.f)},
    {D3DRS_POINTSCALE_A, FloatBits(1.f)},
    {D3DRS_MULTISAMPLEANTIALIAS, TRUE},
    {D3DRS_MULTISAMPLEMASK, 0xFFFFFFFF},
    {D3DRS_POINTSIZE_MAX, FloatBits(64.f)},
    {D3DRS_COLORWRITEENABLE, 0x0000000F},
    {D3DRS_BLENDOP, D3DBLENDOP_ADD},
    {D3DRS_POSITIONDEGREE, D3DDEGREE_CUBIC},
    {D3DRS_NORMALDEGREE, D3DDEGREE_LINEAR},
    {D3DRS_MINTESSELLATIONLEVEL, FloatBits(1.f)},
    {D3DRS_MAXTESSELLATIONLEVEL, FloatBits(1.f)},
    {D3DRS_ADAPTIVETESS_Z, FloatBits(1.f)},
    {D3DRS_CCW_STENCILFAIL, D3DSTENCILOP_KEEP},
    {D3DRS_CCW_STENCILZFAIL, D3DSTENCILOP_KEEP},
    {D3DRS_CCW_STENCILPASS, D3DSTENCILOP_KEEP},
    {D3DRS_CCW_STENCILFUNC, D3DCMP_ALWAYS},
    {D3DRS_COLORWRITEENABLE1, 0x0000000F},
    {D3DRS_COLORWRITEENABLE2, 0x0000000F},
    {D3DRS_COLORWRITEENABLE3, 0x0000000F},
    {D3DRS_BLENDFACTOR, 0xFFFFFFFF},
    {D3DRS_SRCBLENDALPHA, D3DBLEND_ONE},
    {D3DRS_DESTBLENDALPHA, D3DBLEND_ZERO},
    {D3DRS_BLENDOPALPHA, D3DBLENDOP_ADD},
};

// The render states Direct3D 9 knows, the gaps of the numbering left out.
bool KnownRenderState(DWORD state) {
    switch (state) {
        case 7: case 8: case 9: case 14: case 15: case 16: case 19: case 20: case 22: case 23: case 24:
        case 25: case 26: case 27: case 28: case 29: case 34: case 35: case 36: case 37: case 38: case 48:
            return true;
        default:
            break;
    }
    if (state >= 52 && state <= 60) return true;
    if (state >= 128 && state <= 137) return true;
    if (state >= 139 && state <= 143) return true;
    if (state >= 145 && state <= 148) return true;
    if (state >= 151 && state <= 152) return true;
    if (state >= 154 && state <= 163) return true;
    if (state >= 165 && state <= 168) return true;
    if (state >= 170 && state <= 176) return true;
    if (state >= 178 && state <= 195) return true;
    return state >= 198 && state <= 209;
}

D3DMATRIX Identity() {
    D3DMATRIX identity{};
    for (int i = 0; i < 4; ++i) identity.m[i][i] = 1.f;
    return identity;
}

}  // namespace

StateBlock StateBlock::Defaults(bool autoDepthStencil) {
    StateBlock block;
    for (const auto& [state, value] : kRenderDefaults) block.renderStates[state] = value;
    block.renderStates[D3DRS_ZENABLE] = autoDepthStencil ? D3DZB_TRUE : D3DZB_FALSE;

    for (DWORD stage = 0; stage < kTextureStages; ++stage) {
        auto& states = block.stageStates[stage];
        states[D3DTSS_COLOROP] = stage == 0 ? D3DTOP_MODULATE : D3DTOP_DISABLE;
        states[D3DTSS_COLORARG1] = D3DTA_TEXTURE;
        states[D3DTSS_COLORARG2] = D3DTA_CURRENT;
        states[D3DTSS_ALPHAOP] = stage == 0 ? D3DTOP_SELECTARG1 : D3DTOP_DISABLE;
        states[D3DTSS_ALPHAARG1] = D3DTA_TEXTURE;
        states[D3DTSS_ALPHAARG2] = D3DTA_CURRENT;
        states[D3DTSS_TEXCOORDINDEX] = stage;
        states[D3DTSS_TEXTURETRANSFORMFLAGS] = D3DTTFF_DISABLE;
        states[D3DTSS_COLORARG0] = D3DTA_CURRENT;
        states[D3DTSS_ALPHAARG0] = D3DTA_CURRENT;
        states[D3DTSS_RESULTARG] = D3DTA_CURRENT;
    }

    for (auto& states : block.samplerStates) {
        states[D3DSAMP_ADDRESSU] = D3DTADDRESS_WRAP;
        states[D3DSAMP_ADDRESSV] = D3DTADDRESS_WRAP;
        states[D3DSAMP_ADDRESSW] = D3DTADDRESS_WRAP;
        states[D3DSAMP_MAGFILTER] = D3DTEXF_POINT;
        states[D3DSAMP_MINFILTER] = D3DTEXF_POINT;
        states[D3DSAMP_MIPFILTER] = D3DTEXF_NONE;
        states[D3DSAMP_MAXANISOTROPY] = 1;
    }

    block.transforms.fill(Identity());
    return block;
}

bool IsRenderState(D3DRENDERSTATETYPE state) { return KnownRenderState(static_cast<DWORD>(state)); }

bool IsStageState(D3DTEXTURESTAGESTATETYPE type) {
    const auto value = static_cast<DWORD>(type);
    return (value >= 1 && value <= 11) || (value >= 22 && value <= 24) || (value >= 26 && value <= 28) ||
           value == 32;
}

bool IsSamplerState(D3DSAMPLERSTATETYPE type) { return type >= D3DSAMP_ADDRESSU && type <= D3DSAMP_DMAPOFFSET; }

bool IsTransform(D3DTRANSFORMSTATETYPE state) {
    const auto value = static_cast<DWORD>(state);
    return value == D3DTS_VIEW || value == D3DTS_PROJECTION ||
           (value >= D3DTS_TEXTURE0 && value <= D3DTS_TEXTURE7) || value == 256;
}

bool SamplerSlot(DWORD sampler, DWORD& slot) {
    if (sampler < kPixelSamplers) {
        slot = sampler;
        return true;
    }
    if (sampler >= D3DDMAPSAMPLER && sampler <= D3DVERTEXTEXTURESAMPLER3) {
        slot = kPixelSamplers + (sampler - D3DDMAPSAMPLER);
        return true;
    }
    return false;
}

}  // namespace platform::d3d9
