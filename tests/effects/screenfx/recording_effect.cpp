#include "effects/screenfx/recording_effect.h"

#include <algorithm>

namespace screenfx_test {

STDMETHODIMP RecordingEffect::QueryInterface(REFIID, void** object)
{
    *object = nullptr;
    return E_NOINTERFACE;
}

STDMETHODIMP_(ULONG) RecordingEffect::Release()
{
    const ULONG left = --references_;
    if (left == 0)
        delete this;
    return left;
}

HRESULT RecordingEffect::Record(const char* name, std::vector<float> values)
{
    calls_.push_back(name);
    values_[name] = std::move(values);
    return D3D_OK;
}

STDMETHODIMP RecordingEffect::SetMatrix(D3DXHANDLE name, const D3DXMATRIX* m)
{
    return Record(name, std::vector<float>(&m->_11, &m->_11 + 16));
}

STDMETHODIMP RecordingEffect::SetTexture(D3DXHANDLE name, LPDIRECT3DBASETEXTURE9 texture)
{
    calls_.push_back(name);
    textures_[name] = texture;
    return D3D_OK;
}

STDMETHODIMP RecordingEffect::SetTechnique(D3DXHANDLE technique)
{
    calls_.push_back(std::string("technique ") + technique);
    if (std::find(techniques_.begin(), techniques_.end(), technique) == techniques_.end())
        return D3DERR_INVALIDCALL;
    technique_ = technique;
    return D3D_OK;
}

STDMETHODIMP RecordingEffect::Begin(UINT* count, DWORD)
{
    ++begun_;
    valuesAtBegin_.push_back(values_);
    *count = passes;
    return D3D_OK;
}

void RecordingEffect::Forget()
{
    values_.clear();
    valuesAtBegin_.clear();
    textures_.clear();
    calls_.clear();
    begun_ = 0;
}

void RecordingRenderer::DrawPT(const KV_SimpleMesh& mesh, ID3DXEffect* effect)
{
    RunEffectPasses(effect, [&] { drewPictureQuad.push_back(&mesh == &GetPictureQuad()); });
}

void RecordingRenderer::DrawIndexedPT(const KV_IndexedMesh&, ID3DXEffect* effect)
{
    RunEffectPasses(effect, [&] { drewPictureQuad.push_back(false); });
}

}  // namespace screenfx_test
