// ID3DXMesh: vertex, index and attribute buffers of a triangle list.
#pragma once

#include "com/com_object.h"
#include "com/com_ref.h"

#include <d3dx9.h>

#include <vector>

namespace platform::d3dx9 {

class Mesh : public ComObject<Implements<ID3DXMesh, IID_ID3DXMesh>,
                              AlsoAnswers<ID3DXBaseMesh, IID_ID3DXBaseMesh, ID3DXMesh>> {
public:
    // A mesh with buffers of that size (contents zero), pools and usages
    // from the D3DXMESH options.
    static HRESULT Create(IDirect3DDevice9* device, DWORD options, DWORD fvf, DWORD faces, DWORD vertices,
                          Mesh** mesh);

    // Whole-buffer copies for the operations on the mesh.
    HRESULT ReadIndices(std::vector<DWORD>& indices);
    HRESULT WriteIndices(const std::vector<DWORD>& indices);
    HRESULT ReadVertices(std::vector<BYTE>& vertices);
    HRESULT WriteVertices(const std::vector<BYTE>& vertices);
    std::vector<DWORD>& attributes() { return attributes_; }
    void SetAttributeTable(std::vector<D3DXATTRIBUTERANGE> table) { table_ = std::move(table); }
    // New, zeroed buffers for other counts (OptimizeInplace compacting).
    HRESULT Resize(DWORD faces, DWORD vertices);

    STDMETHODIMP_(DWORD) GetNumFaces() override { return faces_; }
    STDMETHODIMP_(DWORD) GetNumVertices() override { return vertices_; }
    STDMETHODIMP_(DWORD) GetFVF() override { return fvf_; }
    STDMETHODIMP_(DWORD) GetNumBytesPerVertex() override { return stride_; }
    STDMETHODIMP CloneMeshFVF(DWORD options, DWORD fvf, LPDIRECT3DDEVICE9 device, LPD3DXMESH* cloneMesh) override;
    STDMETHODIMP GetVertexBuffer(LPDIRECT3DVERTEXBUFFER9* vertexBuffer) override;
    STDMETHODIMP GetIndexBuffer(LPDIRECT3DINDEXBUFFER9* indexBuffer) override;
    STDMETHODIMP LockVertexBuffer(DWORD flags, LPVOID* data) override;
    STDMETHODIMP UnlockVertexBuffer() override;
    STDMETHODIMP LockIndexBuffer(DWORD flags, LPVOID* data) override;
    STDMETHODIMP UnlockIndexBuffer() override;
    STDMETHODIMP GetAttributeTable(D3DXATTRIBUTERANGE* attribTable, DWORD* attribTableSize) override;
    STDMETHODIMP LockAttributeBuffer(DWORD flags, DWORD** data) override;
    STDMETHODIMP UnlockAttributeBuffer() override;
    STDMETHODIMP OptimizeInplace(DWORD flags, const DWORD* adjacencyIn, DWORD* adjacencyOut, DWORD* faceRemap,
                                 LPD3DXBUFFER* vertexRemap) override;

private:
    Mesh(IDirect3DDevice9* device, DWORD options, DWORD fvf);
    bool wideIndices() const { return (options_ & D3DXMESH_32BIT) != 0; }

    ComRef<IDirect3DDevice9> device_;
    DWORD options_;
    DWORD fvf_;
    DWORD stride_;
    DWORD faces_ = 0;
    DWORD vertices_ = 0;
    ComRef<IDirect3DVertexBuffer9> vertexBuffer_;
    ComRef<IDirect3DIndexBuffer9> indexBuffer_;
    std::vector<DWORD> attributes_;
    std::vector<D3DXATTRIBUTERANGE> table_;
};

}  // namespace platform::d3dx9
