// Setting and reading back the states the device keeps: the calling
// thread's copy answers, and each change goes to the GL side's copy, which
// drawing reads.
#include "d3d9/device.h"

namespace platform::d3d9 {

STDMETHODIMP Device::SetRenderState(D3DRENDERSTATETYPE state, DWORD value) {
    if (!IsRenderState(state)) return D3DERR_INVALIDCALL;
    states_.renderStates[state] = value;
    commands_->Record([gl = gl_.get(), state, value] { gl->states.renderStates[state] = value; });
    return D3D_OK;
}

STDMETHODIMP Device::GetRenderState(D3DRENDERSTATETYPE state, DWORD* value) {
    if (!value || !IsRenderState(state)) return D3DERR_INVALIDCALL;
    *value = states_.renderStates[state];
    return D3D_OK;
}

STDMETHODIMP Device::SetTextureStageState(DWORD stage, D3DTEXTURESTAGESTATETYPE type, DWORD value) {
    if (stage >= kTextureStages || !IsStageState(type)) return D3DERR_INVALIDCALL;
    states_.stageStates[stage][type] = value;
    commands_->Record([gl = gl_.get(), stage, type, value] { gl->states.stageStates[stage][type] = value; });
    return D3D_OK;
}

STDMETHODIMP Device::GetTextureStageState(DWORD stage, D3DTEXTURESTAGESTATETYPE type, DWORD* value) {
    if (!value || stage >= kTextureStages || !IsStageState(type)) return D3DERR_INVALIDCALL;
    *value = states_.stageStates[stage][type];
    return D3D_OK;
}

STDMETHODIMP Device::SetSamplerState(DWORD sampler, D3DSAMPLERSTATETYPE type, DWORD value) {
    DWORD slot = 0;
    if (!SamplerSlot(sampler, slot) || !IsSamplerState(type)) {
        return D3DERR_INVALIDCALL;
    }
    states_.samplerStates[slot][type] = value;
    commands_->Record([gl = gl_.get(), slot, type, value] { gl->states.samplerStates[slot][type] = value; });
    return D3D_OK;
}

STDMETHODIMP Device::GetSamplerState(DWORD sampler, D3DSAMPLERSTATETYPE type, DWORD* value) {
    DWORD slot = 0;
    if (!value || !SamplerSlot(sampler, slot) || !IsSamplerState(type)) {
        return D3DERR_INVALIDCALL;
    }
    *value = states_.samplerStates[slot][type];
    return D3D_OK;
}

STDMETHODIMP Device::SetTransform(D3DTRANSFORMSTATETYPE state, const D3DMATRIX* matrix) {
    if (!matrix || !IsTransform(state)) return D3DERR_INVALIDCALL;
    states_.transforms[state] = *matrix;
    commands_->Record([gl = gl_.get(), state, value = *matrix] { gl->states.transforms[state] = value; });
    return D3D_OK;
}

STDMETHODIMP Device::GetTransform(D3DTRANSFORMSTATETYPE state, D3DMATRIX* matrix) {
    if (!matrix || !IsTransform(state)) return D3DERR_INVALIDCALL;
    *matrix = states_.transforms[state];
    return D3D_OK;
}

STDMETHODIMP Device::SetMaterial(const D3DMATERIAL9* material) {
    if (!material) return D3DERR_INVALIDCALL;
    states_.material = *material;
    commands_->Record([gl = gl_.get(), value = *material] { gl->states.material = value; });
    return D3D_OK;
}

STDMETHODIMP Device::GetMaterial(D3DMATERIAL9* material) {
    if (!material) return D3DERR_INVALIDCALL;
    *material = states_.material;
    return D3D_OK;
}

}  // namespace platform::d3d9
