#include "d3dx9/effect/effect.h"

#include <algorithm>
#include <cstring>

#include "d3dx9/effect/effect_sources.h"

namespace platform::d3dx9 {
namespace {

size_t FloatCount(ParameterType type) {
    switch (type) {
        case ParameterType::Float: return 1;
        case ParameterType::Float2: return 2;
        case ParameterType::Float3: return 3;
        case ParameterType::Float4: return 4;
        case ParameterType::Matrix: return 16;
        default: return 0;
    }
}

bool DefaultPool(IDirect3DBaseTexture9* texture) {
    ComRef<IDirect3DTexture9> plain;
    if (FAILED(texture->QueryInterface(IID_IDirect3DTexture9, reinterpret_cast<void**>(plain.out())))) return false;
    D3DSURFACE_DESC desc{};
    return SUCCEEDED(plain->GetLevelDesc(0, &desc)) && desc.Pool == D3DPOOL_DEFAULT;
}

}  // namespace

HRESULT Effect::Create(IDirect3DDevice9* device, EffectDescription description, std::string& log,
                       ID3DXEffect** effect) {
    *effect = nullptr;
    auto* made = new Effect(device, std::move(description));
    ComRef<ID3DXEffect> owner(made);
    // Every program is built now: no draw compiles anything.
    for (const Technique& technique : made->description_.techniques) {
        auto& passes = made->programs_.emplace_back(technique.passes.size());
        for (size_t p = 0; p < technique.passes.size(); ++p) {
            const Pass& pass = technique.passes[p];
            std::string message;
            const HRESULT built = d3d9::ProgramShader::Create(
                device, PassSources(made->description_, pass), message, passes[p].shader.out());
            if (FAILED(built)) {
                log = "technique \"" + technique.name + "\" pass \"" + pass.name + "\": " + message;
                return built == E_FAIL ? E_FAIL : D3DXERR_INVALIDDATA;
            }
            passes[p].program = d3d9::AsProgramShader(passes[p].shader.get());
        }
    }
    *effect = owner.Detach();
    return D3D_OK;
}

Effect::Effect(IDirect3DDevice9* device, EffectDescription description)
    : device_(device), description_(std::move(description)), textures_(description_.parameters.size()) {
    device->AddRef();
    for (const Parameter& parameter : description_.parameters) values_.push_back(parameter.value);
}

Parameter* Effect::Find(D3DXHANDLE name) {
    if (!name) return nullptr;
    for (Parameter& parameter : description_.parameters) {
        if (parameter.name == name) return &parameter;
    }
    return nullptr;
}

STDMETHODIMP_(D3DXHANDLE) Effect::GetParameterByName(D3DXHANDLE parameter, LPCSTR name) {
    // Parameters are all top-level: none has members to look in.
    if (parameter) return nullptr;
    const Parameter* found = Find(name);
    return found ? found->name.c_str() : nullptr;
}

STDMETHODIMP_(D3DXHANDLE) Effect::GetTechniqueByName(LPCSTR name) {
    if (!name) return nullptr;
    for (const Technique& technique : description_.techniques) {
        if (technique.name == name) return technique.name.c_str();
    }
    return nullptr;
}

HRESULT Effect::SetFloats(D3DXHANDLE name, const FLOAT* values, UINT count) {
    Parameter* parameter = Find(name);
    if (!parameter || !values) return D3DERR_INVALIDCALL;
    const size_t size = FloatCount(parameter->type);
    if (size == 0) return D3DERR_INVALIDCALL;
    const size_t index = static_cast<size_t>(parameter - description_.parameters.data());
    std::copy_n(values, std::min<size_t>(count, size), values_[index].floats.begin());
    return D3D_OK;
}

STDMETHODIMP Effect::SetFloat(D3DXHANDLE parameter, FLOAT f) { return SetFloats(parameter, &f, 1); }

STDMETHODIMP Effect::SetFloatArray(D3DXHANDLE parameter, const FLOAT* pf, UINT count) {
    return SetFloats(parameter, pf, count);
}

STDMETHODIMP Effect::SetVector(D3DXHANDLE parameter, const D3DXVECTOR4* vector) {
    if (!vector) return D3DERR_INVALIDCALL;
    const FLOAT values[] = {vector->x, vector->y, vector->z, vector->w};
    const Parameter* found = Find(parameter);
    if (found && found->type == ParameterType::Matrix) return D3DERR_INVALIDCALL;
    return SetFloats(parameter, values, 4);
}

STDMETHODIMP Effect::SetMatrix(D3DXHANDLE parameter, const D3DXMATRIX* matrix) {
    const Parameter* found = Find(parameter);
    if (!found || found->type != ParameterType::Matrix || !matrix) return D3DERR_INVALIDCALL;
    FLOAT values[16];
    std::memcpy(values, matrix->m, sizeof values);
    return SetFloats(parameter, values, 16);
}

STDMETHODIMP Effect::SetInt(D3DXHANDLE parameter, INT n) {
    Parameter* found = Find(parameter);
    if (!found) return D3DERR_INVALIDCALL;
    const size_t index = static_cast<size_t>(found - description_.parameters.data());
    if (found->type == ParameterType::Int) {
        values_[index].integer = n;
    } else if (found->type == ParameterType::Bool) {
        values_[index].integer = n != 0;
    } else if (found->type == ParameterType::Float) {
        values_[index].floats[0] = static_cast<float>(n);
    } else {
        return D3DERR_INVALIDCALL;
    }
    return D3D_OK;
}

STDMETHODIMP Effect::SetBool(D3DXHANDLE parameter, BOOL b) {
    const Parameter* found = Find(parameter);
    if (!found || (found->type != ParameterType::Bool && found->type != ParameterType::Int)) {
        return D3DERR_INVALIDCALL;
    }
    return SetInt(parameter, b != FALSE);
}

STDMETHODIMP Effect::SetTexture(D3DXHANDLE parameter, LPDIRECT3DBASETEXTURE9 texture) {
    const Parameter* found = Find(parameter);
    if (!found || found->type != ParameterType::Texture) return D3DERR_INVALIDCALL;
    const size_t index = static_cast<size_t>(found - description_.parameters.data());
    if (texture) texture->AddRef();
    *textures_[index].out() = texture;
    values_[index].integer = texture != nullptr;
    return D3D_OK;
}

STDMETHODIMP Effect::SetTechnique(D3DXHANDLE technique) {
    if (!technique) return D3DERR_INVALIDCALL;
    for (size_t t = 0; t < description_.techniques.size(); ++t) {
        if (description_.techniques[t].name == technique) {
            technique_ = t;
            return D3D_OK;
        }
    }
    return D3DERR_INVALIDCALL;
}

// Every state a pass of the current technique sets, its samplers' own
// states and textures, and the pixel shader, as they are now.
void Effect::Save(SavedStates& saved) const {
    IDirect3DDevice9* device = device_.get();
    const Technique& technique = description_.techniques[technique_];
    for (size_t p = 0; p < technique.passes.size(); ++p) {
        const Pass& pass = technique.passes[p];
        for (const StateSetting& setting : pass.renderStates) {
            DWORD value = 0;
            device->GetRenderState(static_cast<D3DRENDERSTATETYPE>(setting.state), &value);
            saved.renderStates.push_back({setting.state, value});
        }
        const auto saveSampler = [&](DWORD unit, DWORD state) {
            DWORD value = 0;
            device->GetSamplerState(unit, static_cast<D3DSAMPLERSTATETYPE>(state), &value);
            saved.samplerStates.push_back({unit, {state, value}});
        };
        for (const PassSamplerState& setting : pass.samplerStates) {
            saveSampler(static_cast<DWORD>(setting.sampler), setting.setting.state);
        }
        const uint32_t units = programs_[technique_][p].program->samplerUnits();
        for (DWORD unit = 0; unit < description_.samplers.size(); ++unit) {
            if (!(units & (1u << unit))) continue;
            for (const StateSetting& setting : description_.samplers[unit].states) saveSampler(unit, setting.state);
            ComRef<IDirect3DBaseTexture9>& texture = saved.textures.emplace_back(unit, nullptr).second;
            device->GetTexture(unit, texture.out());
        }
    }
    device->GetPixelShader(saved.pixelShader.out());
}

// In reverse, so that a state saved twice ends at its first value.
void Effect::Restore(SavedStates& saved) {
    IDirect3DDevice9* device = device_.get();
    for (auto it = saved.renderStates.rbegin(); it != saved.renderStates.rend(); ++it) {
        device->SetRenderState(static_cast<D3DRENDERSTATETYPE>(it->state), it->value);
    }
    for (auto it = saved.samplerStates.rbegin(); it != saved.samplerStates.rend(); ++it) {
        device->SetSamplerState(it->first, static_cast<D3DSAMPLERSTATETYPE>(it->second.state), it->second.value);
    }
    for (auto it = saved.textures.rbegin(); it != saved.textures.rend(); ++it) {
        device->SetTexture(it->first, it->second.get());
    }
    device->SetPixelShader(saved.pixelShader.get());
    saved.renderStates.clear();
    saved.samplerStates.clear();
    saved.textures.clear();
    saved.pixelShader.Reset();
}

STDMETHODIMP Effect::Begin(UINT* passes, DWORD flags) {
    if (begun_) return D3DERR_INVALIDCALL;
    begun_ = true;
    flags_ = flags;
    pass_ = -1;
    if (!(flags & D3DXFX_DONOTSAVESTATE)) Save(saved_);
    if (passes) *passes = static_cast<UINT>(description_.techniques[technique_].passes.size());
    return D3D_OK;
}

void Effect::BindTextures(const PassProgram& program) {
    const uint32_t units = program.program->samplerUnits();
    for (DWORD unit = 0; unit < description_.samplers.size(); ++unit) {
        if (units & (1u << unit)) device_->SetTexture(unit, textures_[description_.samplers[unit].texture].get());
    }
}

void Effect::Stage(const PassProgram& program) { program.program->StageUniforms(values_); }

void Effect::Apply(const Pass& pass, const PassProgram& program) {
    IDirect3DDevice9* device = device_.get();
    for (const StateSetting& setting : pass.renderStates) {
        device->SetRenderState(static_cast<D3DRENDERSTATETYPE>(setting.state), setting.value);
    }
    const uint32_t units = program.program->samplerUnits();
    for (DWORD unit = 0; unit < description_.samplers.size(); ++unit) {
        if (!(units & (1u << unit))) continue;
        for (const StateSetting& setting : description_.samplers[unit].states) {
            device->SetSamplerState(unit, static_cast<D3DSAMPLERSTATETYPE>(setting.state), setting.value);
        }
    }
    for (const PassSamplerState& setting : pass.samplerStates) {
        device->SetSamplerState(static_cast<DWORD>(setting.sampler),
                                static_cast<D3DSAMPLERSTATETYPE>(setting.setting.state), setting.setting.value);
    }
    BindTextures(program);
    device->SetPixelShader(program.shader.get());
    Stage(program);
}

STDMETHODIMP Effect::BeginPass(UINT pass) {
    const Technique& technique = description_.techniques[technique_];
    if (!begun_ || pass_ >= 0 || pass >= technique.passes.size()) return D3DERR_INVALIDCALL;
    pass_ = static_cast<int>(pass);
    Apply(technique.passes[pass], programs_[technique_][pass]);
    return D3D_OK;
}

STDMETHODIMP Effect::CommitChanges() {
    if (pass_ < 0) return D3DERR_INVALIDCALL;
    const PassProgram& program = programs_[technique_][static_cast<size_t>(pass_)];
    BindTextures(program);
    Stage(program);
    return D3D_OK;
}

STDMETHODIMP Effect::EndPass() {
    if (pass_ < 0) return D3DERR_INVALIDCALL;
    pass_ = -1;
    return D3D_OK;
}

STDMETHODIMP Effect::End() {
    if (!begun_) return D3DERR_INVALIDCALL;
    begun_ = false;
    pass_ = -1;
    if (!(flags_ & D3DXFX_DONOTSAVESTATE)) Restore(saved_);
    return D3D_OK;
}

STDMETHODIMP Effect::GetDevice(LPDIRECT3DDEVICE9* device) {
    if (!device) return D3DERR_INVALIDCALL;
    device_->AddRef();
    *device = device_.get();
    return D3D_OK;
}

// Render targets set as parameters are let go, so that Reset can run; the
// programs live in the GL context, which a reset keeps.
STDMETHODIMP Effect::OnLostDevice() {
    for (size_t i = 0; i < textures_.size(); ++i) {
        if (textures_[i].get() && DefaultPool(textures_[i].get())) {
            textures_[i].Reset();
            values_[i].integer = FALSE;
        }
    }
    return D3D_OK;
}

STDMETHODIMP Effect::OnResetDevice() { return D3D_OK; }

}  // namespace platform::d3dx9
