// An effect that records what is asked of it, and a renderer with a fixed
// picture size that counts the draws made through an effect.
#pragma once

#include <map>
#include <string>
#include <vector>

#include <windows.h>

#include <d3dx9.h>

#include "scene/light/kv_abrender.h"
#include "scene/light/picture_quad.h"

namespace screenfx_test {

class RecordingEffect final : public ID3DXEffect {
public:
    // Techniques it declares; SetTechnique of any other name fails.
    explicit RecordingEffect(std::vector<std::string> techniques) : techniques_(std::move(techniques)) {}

    STDMETHOD(QueryInterface)(REFIID, void** object) override;
    STDMETHOD_(ULONG, AddRef)() override { return ++references_; }
    STDMETHOD_(ULONG, Release)() override;

    STDMETHOD_(D3DXHANDLE, GetParameterByName)(D3DXHANDLE, LPCSTR) override { return nullptr; }
    STDMETHOD_(D3DXHANDLE, GetTechniqueByName)(LPCSTR) override { return nullptr; }
    STDMETHOD(SetBool)(D3DXHANDLE name, BOOL b) override { return Record(name, {b ? 1.0f : 0.0f}); }
    STDMETHOD(SetInt)(D3DXHANDLE name, INT n) override { return Record(name, {static_cast<float>(n)}); }
    STDMETHOD(SetFloat)(D3DXHANDLE name, FLOAT f) override { return Record(name, {f}); }
    STDMETHOD(SetFloatArray)(D3DXHANDLE name, const FLOAT* pf, UINT count) override
    {
        return Record(name, std::vector<float>(pf, pf + count));
    }
    STDMETHOD(SetVector)(D3DXHANDLE name, const D3DXVECTOR4* v) override { return Record(name, {v->x, v->y, v->z, v->w}); }
    STDMETHOD(SetMatrix)(D3DXHANDLE name, const D3DXMATRIX* m) override;
    STDMETHOD(SetTexture)(D3DXHANDLE name, LPDIRECT3DBASETEXTURE9 texture) override;
    STDMETHOD(SetTechnique)(D3DXHANDLE technique) override;
    STDMETHOD(Begin)(UINT* passes, DWORD) override;
    STDMETHOD(BeginPass)(UINT) override { return D3D_OK; }
    STDMETHOD(CommitChanges)() override { return D3D_OK; }
    STDMETHOD(EndPass)() override { return D3D_OK; }
    STDMETHOD(End)() override { return D3D_OK; }
    STDMETHOD(GetDevice)(LPDIRECT3DDEVICE9*) override { return E_NOTIMPL; }
    STDMETHOD(OnLostDevice)() override { return D3D_OK; }
    STDMETHOD(OnResetDevice)() override { return D3D_OK; }

    // The technique the effect holds: the last one set that it declares.
    const std::string& Technique() const { return technique_; }
    // Every parameter by the values it was last given.
    const std::map<std::string, std::vector<float>>& Values() const { return values_; }
    const std::map<std::string, IDirect3DBaseTexture9*>& Textures() const { return textures_; }
    // The values as they stood at each Begin, one entry per draw.
    const std::vector<std::map<std::string, std::vector<float>>>& ValuesAtBegin() const { return valuesAtBegin_; }
    // Every call that set something, in order.
    const std::vector<std::string>& Calls() const { return calls_; }
    UINT Begun() const { return begun_; }
    void Forget();

    UINT passes = 1;

private:
    ~RecordingEffect() = default;
    HRESULT Record(const char* name, std::vector<float> values);

    ULONG references_ = 1;
    std::vector<std::string> techniques_;
    std::string technique_;
    std::map<std::string, std::vector<float>> values_;
    std::vector<std::map<std::string, std::vector<float>>> valuesAtBegin_;
    std::map<std::string, IDirect3DBaseTexture9*> textures_;
    std::vector<std::string> calls_;
    UINT begun_ = 0;
};

// The picture size is the renderer's; the scene texture is what it is given.
class RecordingRenderer : public KV_ABRender {
public:
    RecordingRenderer(UINT width, UINT height) : width_(width), height_(height) {}

    void Write(KV_IOF_Virtual&) const override {}
    void PushRenderTarget(const RenderTargetPair&, int) override {}
    void PopRenderTarget() override {}
    void DrawPT(const KV_SimpleMesh& mesh, ID3DXEffect* effect) override;
    void DrawIndexedPT(const KV_IndexedMesh& mesh, ID3DXEffect* effect) override;
    TextureHolder& GetSceneTexture() override { return scene; }
    const PictureQuad& GetPictureQuad() const override { return quad_; }
    UINT GetPictureWidth() const override { return width_; }
    UINT GetPictureHeight() const override { return height_; }

    TextureHolder scene;
    // Draws per effect pass, and whether each drew the picture quad.
    std::vector<bool> drewPictureQuad;

private:
    UINT width_, height_;
    PictureQuad quad_;
};

}  // namespace screenfx_test
