// An effect that draws nothing and records, at every Begin, the technique
// and the textures then set.
#pragma once

#include <d3dx9.h>

#include <map>
#include <string>
#include <vector>

struct EffectBegin {
    std::string technique;
    std::map<std::string, IDirect3DBaseTexture9*> textures;
};

class RecordingEffect final : public ID3DXEffect {
public:
    STDMETHODIMP QueryInterface(REFIID, void** object) override
    {
        *object = nullptr;
        return E_NOINTERFACE;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return ++references_; }
    STDMETHODIMP_(ULONG) Release() override
    {
        const ULONG left = --references_;
        if (left == 0)
            delete this;
        return left;
    }
    STDMETHODIMP_(D3DXHANDLE) GetParameterByName(D3DXHANDLE, LPCSTR name) override { return name; }
    STDMETHODIMP_(D3DXHANDLE) GetTechniqueByName(LPCSTR name) override { return name; }
    STDMETHODIMP SetBool(D3DXHANDLE, BOOL) override { return D3D_OK; }
    STDMETHODIMP SetInt(D3DXHANDLE, INT) override { return D3D_OK; }
    STDMETHODIMP SetFloat(D3DXHANDLE, FLOAT) override { return D3D_OK; }
    STDMETHODIMP SetFloatArray(D3DXHANDLE, const FLOAT*, UINT) override { return D3D_OK; }
    STDMETHODIMP SetVector(D3DXHANDLE, const D3DXVECTOR4*) override { return D3D_OK; }
    STDMETHODIMP SetMatrix(D3DXHANDLE, const D3DXMATRIX*) override { return D3D_OK; }
    STDMETHODIMP SetTexture(D3DXHANDLE name, LPDIRECT3DBASETEXTURE9 texture) override
    {
        current_.textures[name] = texture;
        return D3D_OK;
    }
    STDMETHODIMP SetTechnique(D3DXHANDLE name) override
    {
        current_.technique = name;
        return D3D_OK;
    }
    STDMETHODIMP Begin(UINT* passes, DWORD) override
    {
        begins.push_back(current_);
        *passes = 0;
        return D3D_OK;
    }
    STDMETHODIMP BeginPass(UINT) override { return D3D_OK; }
    STDMETHODIMP CommitChanges() override { return D3D_OK; }
    STDMETHODIMP EndPass() override { return D3D_OK; }
    STDMETHODIMP End() override { return D3D_OK; }
    STDMETHODIMP GetDevice(LPDIRECT3DDEVICE9* device) override
    {
        *device = nullptr;
        return E_NOTIMPL;
    }
    STDMETHODIMP OnLostDevice() override { return D3D_OK; }
    STDMETHODIMP OnResetDevice() override { return D3D_OK; }

    std::vector<EffectBegin> begins;

private:
    ~RecordingEffect() = default;

    EffectBegin current_;
    ULONG references_ = 1;
};
