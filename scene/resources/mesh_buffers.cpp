#include "scene/resources/mesh_buffers.h"

MeshBuffers::MeshBuffers(const MeshBuffers& other) {
    *this = other;
}

MeshBuffers& MeshBuffers::operator=(const MeshBuffers& other) {
    if (this != &other) {
        if (other.vertices_ != nullptr) {
            other.vertices_->AddRef();
        }
        if (other.indices_ != nullptr) {
            other.indices_->AddRef();
        }
        Adopt(other.vertices_, other.indices_);
        vertexCount = other.vertexCount;
        faceCount = other.faceCount;
        radius = other.radius;
        centre = other.centre;
    }
    return *this;
}

void MeshBuffers::Adopt(IDirect3DVertexBuffer9* vertices, IDirect3DIndexBuffer9* indices) {
    Release();
    vertices_ = vertices;
    indices_ = indices;
}

void MeshBuffers::Release() {
    if (vertices_ != nullptr) {
        vertices_->Release();
        vertices_ = nullptr;
    }
    if (indices_ != nullptr) {
        indices_->Release();
        indices_ = nullptr;
    }
}
