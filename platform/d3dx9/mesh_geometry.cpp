// D3DXComputeNormals and D3DXComputeBoundingSphere.
#include "d3dx9/fvf_layout.h"

#include <d3dx9.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <vector>

namespace {

// The mesh's indices, whatever their width.
HRESULT ReadIndices(LPD3DXBASEMESH mesh, std::vector<DWORD>& indices) {
    IDirect3DIndexBuffer9* buffer = nullptr;
    HRESULT status = mesh->GetIndexBuffer(&buffer);
    if (FAILED(status)) return status;
    D3DINDEXBUFFER_DESC desc{};
    buffer->GetDesc(&desc);
    buffer->Release();
    void* data = nullptr;
    if (FAILED(status = mesh->LockIndexBuffer(D3DLOCK_READONLY, &data))) return status;
    indices.resize(size_t{mesh->GetNumFaces()} * 3);
    for (size_t i = 0; i < indices.size(); ++i) {
        if (desc.Format == D3DFMT_INDEX32) {
            std::memcpy(&indices[i], static_cast<const BYTE*>(data) + 4 * i, 4);
        } else {
            WORD index;
            std::memcpy(&index, static_cast<const BYTE*>(data) + 2 * i, 2);
            indices[i] = index;
        }
    }
    mesh->UnlockIndexBuffer();
    return D3D_OK;
}

}  // namespace

// Smooth normals: each vertex takes the sum of its faces' cross products,
// which weighs every face by its area.
HRESULT WINAPI D3DXComputeNormals(LPD3DXBASEMESH mesh, const DWORD*) {
    if (!mesh) return D3DERR_INVALIDCALL;
    const DWORD fvf = mesh->GetFVF();
    if ((fvf & D3DFVF_POSITION_MASK) != D3DFVF_XYZ || !(fvf & D3DFVF_NORMAL)) return D3DERR_INVALIDCALL;
    const platform::d3dx9::FvfLayout layout = platform::d3dx9::LayoutOf(fvf);
    const DWORD count = mesh->GetNumVertices();
    std::vector<DWORD> indices;
    HRESULT status = ReadIndices(mesh, indices);
    if (FAILED(status)) return status;
    void* data = nullptr;
    if (FAILED(status = mesh->LockVertexBuffer(0, &data))) return status;
    BYTE* vertices = static_cast<BYTE*>(data);
    const auto position = [&](DWORD v) {
        D3DXVECTOR3 p;
        std::memcpy(&p, vertices + size_t{v} * layout.stride + layout.position.offset, sizeof p);
        return p;
    };
    std::vector<D3DXVECTOR3> sums(count, D3DXVECTOR3(0, 0, 0));
    for (size_t f = 0; f + 2 < indices.size(); f += 3) {
        const DWORD a = indices[f], b = indices[f + 1], c = indices[f + 2];
        if (a >= count || b >= count || c >= count) continue;
        D3DXVECTOR3 normal;
        const D3DXVECTOR3 ab = position(b) - position(a), ac = position(c) - position(a);
        D3DXVec3Cross(&normal, &ab, &ac);
        sums[a] += normal;
        sums[b] += normal;
        sums[c] += normal;
    }
    for (DWORD v = 0; v < count; ++v) {
        D3DXVECTOR3 normal;
        D3DXVec3Normalize(&normal, &sums[v]);
        std::memcpy(vertices + size_t{v} * layout.stride + layout.normal.offset, &normal, sizeof normal);
    }
    mesh->UnlockVertexBuffer();
    return D3D_OK;
}

HRESULT WINAPI D3DXComputeBoundingSphere(const D3DXVECTOR3* firstPosition, DWORD numVertices, DWORD stride,
                                         D3DXVECTOR3* center, FLOAT* radius) {
    if (!firstPosition || !center || !radius || numVertices == 0) return D3DERR_INVALIDCALL;
    const BYTE* bytes = reinterpret_cast<const BYTE*>(firstPosition);
    const auto position = [&](DWORD v) {
        D3DXVECTOR3 p;
        std::memcpy(&p, bytes + size_t{v} * stride, sizeof p);
        return p;
    };
    D3DXVECTOR3 sum(0, 0, 0);
    for (DWORD v = 0; v < numVertices; ++v) sum += position(v);
    const D3DXVECTOR3 mean = sum / FLOAT(numVertices);
    FLOAT largest = 0;
    for (DWORD v = 0; v < numVertices; ++v) {
        const D3DXVECTOR3 offset = position(v) - mean;
        largest = std::max(largest, D3DXVec3Length(&offset));
    }
    *center = mean;
    *radius = largest;
    return D3D_OK;
}
