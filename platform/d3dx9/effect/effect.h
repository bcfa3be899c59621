// ID3DXEffect over an effect description: one linked program per pass,
// parameter values kept here and staged into a pass's program when it
// begins or commits, and the device state that Begin saves.
#pragma once

#include <memory>
#include <vector>

#include <d3dx9.h>

#include "com/com_object.h"
#include "com/com_ref.h"
#include "d3d9/program_shader.h"
#include "d3dx9/effect/effect_description.h"

namespace platform::d3dx9 {

class Effect final
    : public ComObject<Implements<ID3DXEffect, IID_ID3DXEffect>,
                       AlsoAnswers<ID3DXBaseEffect, IID_ID3DXBaseEffect, ID3DXEffect>> {
public:
    // D3DXERR_INVALIDDATA, with the message in log, when a pass does not build.
    static HRESULT Create(IDirect3DDevice9* device, EffectDescription description, std::string& log,
                          ID3DXEffect** effect);

    STDMETHODIMP_(D3DXHANDLE) GetParameterByName(D3DXHANDLE parameter, LPCSTR name) override;
    STDMETHODIMP_(D3DXHANDLE) GetTechniqueByName(LPCSTR name) override;
    STDMETHODIMP SetBool(D3DXHANDLE parameter, BOOL b) override;
    STDMETHODIMP SetInt(D3DXHANDLE parameter, INT n) override;
    STDMETHODIMP SetFloat(D3DXHANDLE parameter, FLOAT f) override;
    STDMETHODIMP SetFloatArray(D3DXHANDLE parameter, const FLOAT* pf, UINT count) override;
    STDMETHODIMP SetVector(D3DXHANDLE parameter, const D3DXVECTOR4* vector) override;
    STDMETHODIMP SetMatrix(D3DXHANDLE parameter, const D3DXMATRIX* matrix) override;
    STDMETHODIMP SetTexture(D3DXHANDLE parameter, LPDIRECT3DBASETEXTURE9 texture) override;
    STDMETHODIMP SetTechnique(D3DXHANDLE technique) override;
    STDMETHODIMP Begin(UINT* passes, DWORD flags) override;
    STDMETHODIMP BeginPass(UINT pass) override;
    STDMETHODIMP CommitChanges() override;
    STDMETHODIMP EndPass() override;
    STDMETHODIMP End() override;
    STDMETHODIMP GetDevice(LPDIRECT3DDEVICE9* device) override;
    STDMETHODIMP OnLostDevice() override;
    STDMETHODIMP OnResetDevice() override;

private:
    struct PassProgram {
        ComRef<IDirect3DPixelShader9> shader;
        d3d9::ProgramShader* program = nullptr;
    };
    // What End puts back.
    struct SavedStates {
        std::vector<StateSetting> renderStates;
        std::vector<std::pair<DWORD, StateSetting>> samplerStates;  // unit, state
        std::vector<std::pair<DWORD, ComRef<IDirect3DBaseTexture9>>> textures;
        ComRef<IDirect3DPixelShader9> pixelShader;
    };

    explicit Effect(IDirect3DDevice9* device, EffectDescription description);
    // Null for a name the effect does not have.
    Parameter* Find(D3DXHANDLE name);
    // Floats into a float parameter: min(count, its size), the rest kept.
    HRESULT SetFloats(D3DXHANDLE name, const FLOAT* values, UINT count);
    void Save(SavedStates& saved) const;
    void Restore(SavedStates& saved);
    // The pass's programs, states and textures, and the values staged.
    void Apply(const Pass& pass, const PassProgram& program);
    void BindTextures(const PassProgram& program);
    void Stage(const PassProgram& program);

    ComRef<IDirect3DDevice9> device_;
    EffectDescription description_;
    std::vector<ComRef<IDirect3DBaseTexture9>> textures_;  // per parameter
    std::vector<d3d9::pipeline::UniformValue> values_;     // per parameter, as the programs read them
    std::vector<std::vector<PassProgram>> programs_;       // per technique and pass
    size_t technique_ = 0;
    bool begun_ = false;
    DWORD flags_ = 0;
    int pass_ = -1;
    SavedStates saved_;
};

}  // namespace platform::d3dx9
