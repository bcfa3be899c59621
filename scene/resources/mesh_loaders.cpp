#include "scene/resources/mesh_loaders.h"

#include <cstring>

#include <d3dx9.h>

#include "scene/document/dds_resource.h"
#include "scene/model/com_holder.h"
#include "scene/render/current_device.h"

namespace {

constexpr DWORD kLoadOptions = D3DXMESH_SYSTEMMEM;
constexpr DWORD kVertexFormat = D3DFVF_XYZ | D3DFVF_NORMAL | D3DFVF_TEX1;
constexpr DWORD kOptimizeFlags = D3DXMESHOPT_COMPACT | D3DXMESHOPT_ATTRSORT | D3DXMESHOPT_VERTEXCACHE;
constexpr UINT kVertexSize = 32;

// What a .x load hands back; released together.
struct LoadedMesh {
    ComHolder<ID3DXBuffer> adjacency;
    ComHolder<ID3DXBuffer> materials;
    ComHolder<ID3DXBuffer> effectInstances;
    DWORD materialCount = 0;
    ComHolder<ID3DXMesh> mesh;
};

bool CopyIndices(ID3DXMesh* clone, UINT faceCount, IDirect3DIndexBuffer9** created) {
    const UINT bytes = faceCount * 3 * sizeof(WORD);
    ComHolder<IDirect3DIndexBuffer9> buffer;
    if (FAILED(g_currentDevice->CreateIndexBuffer(bytes, D3DUSAGE_WRITEONLY, D3DFMT_INDEX16, D3DPOOL_MANAGED,
                                                  buffer.Receive(), nullptr))) {
        return false;
    }
    void* source = nullptr;
    void* target = nullptr;
    if (FAILED(clone->LockIndexBuffer(D3DLOCK_READONLY, &source))) {
        return false;
    }
    const bool locked = SUCCEEDED(buffer->Lock(0, bytes, &target, 0));
    if (locked) {
        std::memcpy(target, source, bytes);
        buffer->Unlock();
    }
    clone->UnlockIndexBuffer();
    if (locked) {
        *created = buffer.Get();
        (*created)->AddRef();
    }
    return locked;
}

bool CopyVertices(ID3DXMesh* clone, UINT vertexCount, MeshBuffers& mesh, IDirect3DVertexBuffer9** created) {
    const UINT bytes = kVertexSize * vertexCount;
    ComHolder<IDirect3DVertexBuffer9> buffer;
    if (FAILED(g_currentDevice->CreateVertexBuffer(bytes, D3DUSAGE_WRITEONLY, 0, D3DPOOL_MANAGED, buffer.Receive(),
                                                   nullptr))) {
        return false;
    }
    void* source = nullptr;
    void* target = nullptr;
    if (FAILED(clone->LockVertexBuffer(D3DLOCK_READONLY, &source))) {
        return false;
    }
    const bool locked = SUCCEEDED(buffer->Lock(0, bytes, &target, 0));
    if (locked) {
        std::memcpy(target, source, bytes);
        buffer->Unlock();
        D3DXComputeBoundingSphere(static_cast<const D3DXVECTOR3*>(source), vertexCount,
                                  D3DXGetFVFVertexSize(kVertexFormat), &mesh.centre, &mesh.radius);
    }
    clone->UnlockVertexBuffer();
    if (locked) {
        *created = buffer.Get();
        (*created)->AddRef();
    }
    return locked;
}

// Clones the loaded mesh to the vertex layout, recomputes its normals,
// optimises it and copies it into the mesh's own buffers.
void Build(LoadedMesh& loaded, MeshBuffers& mesh) {
    ComHolder<ID3DXMesh> clone;
    if (FAILED(loaded.mesh->CloneMeshFVF(kLoadOptions, kVertexFormat, g_currentDevice, clone.Receive())) ||
        clone->GetNumBytesPerVertex() != kVertexSize) {
        return;
    }
    D3DXComputeNormals(clone.Get(), nullptr);
    const auto* adjacency =
        loaded.adjacency ? static_cast<const DWORD*>(loaded.adjacency->GetBufferPointer()) : nullptr;
    clone->OptimizeInplace(kOptimizeFlags, adjacency, nullptr, nullptr, nullptr);

    const UINT vertexCount = clone->GetNumVertices();
    const UINT faceCount = clone->GetNumFaces();
    IDirect3DIndexBuffer9* indices = nullptr;
    IDirect3DVertexBuffer9* vertices = nullptr;
    if (!CopyIndices(clone.Get(), faceCount, &indices)) {
        return;
    }
    if (!CopyVertices(clone.Get(), vertexCount, mesh, &vertices)) {
        indices->Release();
        return;
    }
    mesh.Adopt(vertices, indices);
    mesh.vertexCount = vertexCount;
    mesh.faceCount = faceCount;
}

// Empties the mesh; whether a load with this vertex size can fill it.
bool Prepare(UINT vertexSize, MeshBuffers& mesh) {
    mesh.Release();
    mesh.vertexCount = 0;
    mesh.faceCount = 0;
    return vertexSize == kVertexSize && g_currentDevice != nullptr;
}

}  // namespace

void LoadMeshFromMemory(const BYTE* bytes, UINT size, UINT vertexSize, MeshBuffers& mesh) {
    if (!Prepare(vertexSize, mesh) || bytes == nullptr || size == 0) {
        return;
    }
    LoadedMesh loaded;
    if (SUCCEEDED(D3DXLoadMeshFromXInMemory(bytes, size, kLoadOptions, g_currentDevice, loaded.adjacency.Receive(),
                                            loaded.materials.Receive(), loaded.effectInstances.Receive(),
                                            &loaded.materialCount, loaded.mesh.Receive()))) {
        Build(loaded, mesh);
    }
}

void LoadMeshFromResource(HMODULE module, int id, UINT vertexSize, MeshBuffers& mesh) {
    const auto bytes = FindDdsResource(module, id);
    if (!bytes) {
        Prepare(vertexSize, mesh);
        return;
    }
    LoadMeshFromMemory(bytes->data(), static_cast<UINT>(bytes->size()), vertexSize, mesh);
}

void LoadMeshFromFile(const kv_string& path, UINT vertexSize, MeshBuffers& mesh) {
    if (!Prepare(vertexSize, mesh)) {
        return;
    }
    LoadedMesh loaded;
    if (SUCCEEDED(D3DXLoadMeshFromXW(path.c_str(), kLoadOptions, g_currentDevice, loaded.adjacency.Receive(),
                                     loaded.materials.Receive(), loaded.effectInstances.Receive(),
                                     &loaded.materialCount, loaded.mesh.Receive()))) {
        Build(loaded, mesh);
    }
}
