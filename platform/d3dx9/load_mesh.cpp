// D3DXLoadMeshFromXInMemory and D3DXLoadMeshFromXW.
#include "com/com_ref.h"
#include "d3dx9/mesh.h"
#include "d3dx9/mesh_adjacency.h"
#include "d3dx9/xfile/x_document.h"
#include "d3dx9/xfile/x_geometry.h"
#include "kernel/file_path.h"

#include <cstring>
#include <fstream>
#include <iterator>

namespace platform::d3dx9 {
namespace {

std::vector<BYTE> VertexBytes(const XGeometry& geometry, DWORD fvf) {
    const UINT stride = D3DXGetFVFVertexSize(fvf);
    std::vector<BYTE> bytes(geometry.positions.size() * stride);
    for (size_t v = 0; v < geometry.positions.size(); ++v) {
        BYTE* out = bytes.data() + v * stride;
        std::memcpy(out, &geometry.positions[v], 12);
        out += 12;
        if (fvf & D3DFVF_NORMAL) {
            std::memcpy(out, &geometry.normals[v], 12);
            out += 12;
        }
        if (fvf & D3DFVF_TEX1) std::memcpy(out, &geometry.texcoords[v], 8);
    }
    return bytes;
}

// D3DXMATERIALs followed by their texture names.
HRESULT MaterialBuffer(const std::vector<XMaterial>& materials, ID3DXBuffer** buffer) {
    size_t size = materials.size() * sizeof(D3DXMATERIAL);
    for (const auto& material : materials) size += material.hasTexture ? material.texture.size() + 1 : 0;
    HRESULT status = D3DXCreateBuffer(DWORD(size), buffer);
    if (FAILED(status)) return status;
    BYTE* bytes = static_cast<BYTE*>((*buffer)->GetBufferPointer());
    auto* entries = reinterpret_cast<D3DXMATERIAL*>(bytes);
    char* names = reinterpret_cast<char*>(bytes + materials.size() * sizeof(D3DXMATERIAL));
    for (size_t i = 0; i < materials.size(); ++i) {
        entries[i].MatD3D = materials[i].material;
        entries[i].pTextureFilename = nullptr;
        if (!materials[i].hasTexture) continue;
        entries[i].pTextureFilename = names;
        std::memcpy(names, materials[i].texture.c_str(), materials[i].texture.size() + 1);
        names += materials[i].texture.size() + 1;
    }
    return D3D_OK;
}

// One instance per material, with no effect file.
HRESULT EffectInstanceBuffer(size_t count, ID3DXBuffer** buffer) {
    HRESULT status = D3DXCreateBuffer(DWORD(count * sizeof(D3DXEFFECTINSTANCE)), buffer);
    if (FAILED(status)) return status;
    auto* instances = static_cast<D3DXEFFECTINSTANCE*>((*buffer)->GetBufferPointer());
    for (size_t i = 0; i < count; ++i) instances[i] = {nullptr, 0, nullptr};
    return D3D_OK;
}

HRESULT LoadMesh(std::span<const BYTE> bytes, DWORD options, IDirect3DDevice9* device, ID3DXBuffer** adjacency,
                 ID3DXBuffer** materials, ID3DXBuffer** effectInstances, DWORD* numMaterials, ID3DXMesh** mesh) {
    XDocument document;
    if (!ReadXDocument(bytes, document)) return D3DXERR_INVALIDDATA;
    XGeometry geometry;
    HRESULT status = BuildGeometry(document, geometry);
    if (FAILED(status)) return status;
    if (!(options & D3DXMESH_32BIT) && geometry.positions.size() > 0xFFFF) return D3DXERR_INVALIDDATA;
    const DWORD fvf = D3DFVF_XYZ | (geometry.hasNormals ? D3DFVF_NORMAL : 0) | (geometry.hasTexcoords ? D3DFVF_TEX1 : 0);
    ComRef<Mesh> created;
    if (FAILED(status = Mesh::Create(device, options, fvf, DWORD(geometry.attributes.size()),
                                     DWORD(geometry.positions.size()), created.out())))
        return status;
    if (FAILED(status = created->WriteVertices(VertexBytes(geometry, fvf))) ||
        FAILED(status = created->WriteIndices(geometry.indices)))
        return status;
    created->attributes() = geometry.attributes;

    ComRef<ID3DXBuffer> adjacencyBuffer, materialBuffer, instanceBuffer;
    if (adjacency) {
        const std::vector<DWORD> faces = FaceAdjacency(geometry.indices, &geometry.pointReps);
        if (FAILED(status = D3DXCreateBuffer(DWORD(faces.size() * 4), adjacencyBuffer.out()))) return status;
        std::memcpy(adjacencyBuffer->GetBufferPointer(), faces.data(), faces.size() * 4);
    }
    if (materials && !geometry.materials.empty() &&
        FAILED(status = MaterialBuffer(geometry.materials, materialBuffer.out())))
        return status;
    if (effectInstances && !geometry.materials.empty() &&
        FAILED(status = EffectInstanceBuffer(geometry.materials.size(), instanceBuffer.out())))
        return status;
    if (adjacency) *adjacency = adjacencyBuffer.Detach();
    if (materials) *materials = materialBuffer.Detach();
    if (effectInstances) *effectInstances = instanceBuffer.Detach();
    if (numMaterials) *numMaterials = DWORD(geometry.materials.size());
    *mesh = created.Detach();
    return D3D_OK;
}

}  // namespace
}  // namespace platform::d3dx9

HRESULT WINAPI D3DXLoadMeshFromXInMemory(LPCVOID memory, DWORD sizeOfMemory, DWORD options,
                                         LPDIRECT3DDEVICE9 device, LPD3DXBUFFER* adjacency,
                                         LPD3DXBUFFER* materials, LPD3DXBUFFER* effectInstances,
                                         DWORD* numMaterials, LPD3DXMESH* mesh) {
    for (LPD3DXBUFFER* out : {adjacency, materials, effectInstances})
        if (out) *out = nullptr;
    if (numMaterials) *numMaterials = 0;
    if (!mesh) return D3DERR_INVALIDCALL;
    *mesh = nullptr;
    if (!memory || sizeOfMemory == 0 || !device) return D3DERR_INVALIDCALL;
    return platform::d3dx9::LoadMesh(std::span<const BYTE>(static_cast<const BYTE*>(memory), sizeOfMemory), options,
                                     device, adjacency, materials, effectInstances, numMaterials, mesh);
}

HRESULT WINAPI D3DXLoadMeshFromXW(LPCWSTR filename, DWORD options, LPDIRECT3DDEVICE9 device,
                                  LPD3DXBUFFER* adjacency, LPD3DXBUFFER* materials,
                                  LPD3DXBUFFER* effectInstances, DWORD* numMaterials, LPD3DXMESH* mesh) {
    if (mesh) *mesh = nullptr;
    if (!filename) return D3DERR_INVALIDCALL;
    std::ifstream file(platform::NativePath(filename), std::ios::binary);
    if (!file) return D3DXERR_INVALIDDATA;
    const std::vector<char> bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    if (bytes.empty() || bytes.size() > 0xFFFFFFFFu) return D3DXERR_INVALIDDATA;
    return D3DXLoadMeshFromXInMemory(bytes.data(), DWORD(bytes.size()), options, device, adjacency, materials,
                                     effectInstances, numMaterials, mesh);
}
