// The loaded form of an .x mesh: position-normal-texture vertices, 16-bit
// indices (three per face) and the bounding sphere.
#pragma once

#include <windows.h>

#include <d3d9.h>
#include <d3dx9.h>

class MeshBuffers {
public:
    MeshBuffers() = default;
    // Adds a reference to both buffers.
    MeshBuffers(const MeshBuffers& other);
    MeshBuffers& operator=(const MeshBuffers& other);
    ~MeshBuffers() { Release(); }

    IDirect3DVertexBuffer9* Vertices() const { return vertices_; }
    IDirect3DIndexBuffer9* Indices() const { return indices_; }
    bool HasBuffers() const { return vertices_ != nullptr; }

    // Takes over the references the caller holds; the old buffers are
    // released.
    void Adopt(IDirect3DVertexBuffer9* vertices, IDirect3DIndexBuffer9* indices);
    // Releases both buffers and forgets them.
    void Release();

    UINT vertexCount = 0;
    UINT faceCount = 0;
    float radius = 0.0f;
    D3DXVECTOR3 centre{0.0f, 0.0f, 0.0f};

private:
    IDirect3DVertexBuffer9* vertices_ = nullptr;
    IDirect3DIndexBuffer9* indices_ = nullptr;
};
