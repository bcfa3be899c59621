#include "d3dx9/mesh.h"

#include "d3dx9/fvf_layout.h"

#include <algorithm>

#include <cstring>
#include <new>

namespace platform::d3dx9 {
namespace {

// The largest vertex count that 16-bit indices address.
constexpr DWORD kMaxNarrowVertices = 0xFFFF;

D3DPOOL PoolOf(DWORD options, DWORD systemMemory, DWORD managed) {
    if (options & systemMemory) return D3DPOOL_SYSTEMMEM;
    if (options & managed) return D3DPOOL_MANAGED;
    return D3DPOOL_DEFAULT;
}

DWORD UsageOf(DWORD options, DWORD writeOnly, DWORD dynamic, DWORD softwareProcessing) {
    DWORD usage = 0;
    if (options & writeOnly) usage |= D3DUSAGE_WRITEONLY;
    if (options & dynamic) usage |= D3DUSAGE_DYNAMIC;
    if (options & softwareProcessing) usage |= D3DUSAGE_SOFTWAREPROCESSING;
    if (options & D3DXMESH_DONOTCLIP) usage |= D3DUSAGE_DONOTCLIP;
    if (options & D3DXMESH_POINTS) usage |= D3DUSAGE_POINTS;
    return usage;
}

// A whole buffer, locked for as long as the scope lasts.
template <typename Buffer>
class Locked {
public:
    Locked(Buffer* buffer, DWORD flags) : buffer_(buffer) { status_ = buffer->Lock(0, 0, &data_, flags); }
    ~Locked() {
        if (SUCCEEDED(status_)) buffer_->Unlock();
    }
    Locked(const Locked&) = delete;
    Locked& operator=(const Locked&) = delete;
    HRESULT status() const { return status_; }
    BYTE* data() const { return static_cast<BYTE*>(data_); }

private:
    Buffer* buffer_;
    void* data_ = nullptr;
    HRESULT status_;
};

void CopyComponent(const BYTE* from, const FvfComponent& source, BYTE* to, const FvfComponent& target) {
    if (source.size && target.size) std::memcpy(to + target.offset, from + source.offset, std::min(source.size, target.size));
}

}  // namespace

Mesh::Mesh(IDirect3DDevice9* device, DWORD options, DWORD fvf)
    : options_(options), fvf_(fvf), stride_(D3DXGetFVFVertexSize(fvf)) {
    device->AddRef();
    *device_.out() = device;
}

HRESULT Mesh::Create(IDirect3DDevice9* device, DWORD options, DWORD fvf, DWORD faces, DWORD vertices, Mesh** mesh) {
    *mesh = nullptr;
    if (!device || faces == 0 || vertices == 0 || D3DXGetFVFVertexSize(fvf) == 0) return D3DERR_INVALIDCALL;
    ComRef<Mesh> created(new (std::nothrow) Mesh(device, options, fvf));
    if (!created.get()) return E_OUTOFMEMORY;
    const HRESULT status = created->Resize(faces, vertices);
    if (FAILED(status)) return status;
    *mesh = created.Detach();
    return D3D_OK;
}

HRESULT Mesh::Resize(DWORD faces, DWORD vertices) {
    if (faces == 0 || vertices == 0) return D3DERR_INVALIDCALL;
    if (!wideIndices() && vertices > kMaxNarrowVertices) return D3DERR_INVALIDCALL;
    const ULONGLONG indexBytes = ULONGLONG{faces} * 3 * (wideIndices() ? 4 : 2);
    const ULONGLONG vertexBytes = ULONGLONG{vertices} * stride_;
    if (indexBytes > 0xFFFFFFFFu || vertexBytes > 0xFFFFFFFFu) return E_OUTOFMEMORY;
    ComRef<IDirect3DVertexBuffer9> vertexBuffer;
    ComRef<IDirect3DIndexBuffer9> indexBuffer;
    HRESULT status = device_->CreateVertexBuffer(
        UINT(vertexBytes),
        UsageOf(options_, D3DXMESH_VB_WRITEONLY, D3DXMESH_VB_DYNAMIC, D3DXMESH_VB_SOFTWAREPROCESSING), fvf_,
        PoolOf(options_, D3DXMESH_VB_SYSTEMMEM, D3DXMESH_VB_MANAGED), vertexBuffer.out(), nullptr);
    if (FAILED(status)) return status;
    status = device_->CreateIndexBuffer(
        UINT(indexBytes),
        UsageOf(options_, D3DXMESH_IB_WRITEONLY, D3DXMESH_IB_DYNAMIC, D3DXMESH_IB_SOFTWAREPROCESSING),
        wideIndices() ? D3DFMT_INDEX32 : D3DFMT_INDEX16, PoolOf(options_, D3DXMESH_IB_SYSTEMMEM, D3DXMESH_IB_MANAGED),
        indexBuffer.out(), nullptr);
    if (FAILED(status)) return status;
    vertexBuffer_.Reset();
    indexBuffer_.Reset();
    *vertexBuffer_.out() = vertexBuffer.Detach();
    *indexBuffer_.out() = indexBuffer.Detach();
    faces_ = faces;
    vertices_ = vertices;
    attributes_.assign(faces, 0);
    table_.clear();
    return D3D_OK;
}

HRESULT Mesh::ReadIndices(std::vector<DWORD>& indices) {
    Locked locked(indexBuffer_.get(), D3DLOCK_READONLY);
    if (FAILED(locked.status())) return locked.status();
    indices.resize(size_t{faces_} * 3);
    for (size_t i = 0; i < indices.size(); ++i) {
        if (wideIndices()) {
            std::memcpy(&indices[i], locked.data() + 4 * i, 4);
        } else {
            WORD index;
            std::memcpy(&index, locked.data() + 2 * i, 2);
            indices[i] = index;
        }
    }
    return D3D_OK;
}

HRESULT Mesh::WriteIndices(const std::vector<DWORD>& indices) {
    if (indices.size() != size_t{faces_} * 3) return D3DERR_INVALIDCALL;
    Locked locked(indexBuffer_.get(), 0);
    if (FAILED(locked.status())) return locked.status();
    for (size_t i = 0; i < indices.size(); ++i) {
        if (wideIndices()) {
            std::memcpy(locked.data() + 4 * i, &indices[i], 4);
        } else {
            const WORD index = WORD(indices[i]);
            std::memcpy(locked.data() + 2 * i, &index, 2);
        }
    }
    return D3D_OK;
}

HRESULT Mesh::ReadVertices(std::vector<BYTE>& vertices) {
    Locked locked(vertexBuffer_.get(), D3DLOCK_READONLY);
    if (FAILED(locked.status())) return locked.status();
    vertices.assign(locked.data(), locked.data() + size_t{vertices_} * stride_);
    return D3D_OK;
}

HRESULT Mesh::WriteVertices(const std::vector<BYTE>& vertices) {
    if (vertices.size() != size_t{vertices_} * stride_) return D3DERR_INVALIDCALL;
    Locked locked(vertexBuffer_.get(), 0);
    if (FAILED(locked.status())) return locked.status();
    std::memcpy(locked.data(), vertices.data(), vertices.size());
    return D3D_OK;
}

STDMETHODIMP Mesh::CloneMeshFVF(DWORD options, DWORD fvf, LPDIRECT3DDEVICE9 device, LPD3DXMESH* cloneMesh) {
    if (!cloneMesh) return D3DERR_INVALIDCALL;
    *cloneMesh = nullptr;
    if (!device) return D3DERR_INVALIDCALL;
    ComRef<Mesh> clone;
    HRESULT status = Create(device, options, fvf, faces_, vertices_, clone.out());
    if (FAILED(status)) return status;
    std::vector<DWORD> indices;
    std::vector<BYTE> source;
    if (FAILED(status = ReadIndices(indices)) || FAILED(status = clone->WriteIndices(indices)) ||
        FAILED(status = ReadVertices(source)))
        return status;
    // Components the source lacks stay zero.
    const FvfLayout from = LayoutOf(fvf_);
    const FvfLayout to = LayoutOf(fvf);
    std::vector<BYTE> target(size_t{vertices_} * to.stride, 0);
    for (size_t v = 0; v < vertices_; ++v) {
        const BYTE* in = source.data() + v * from.stride;
        BYTE* out = target.data() + v * to.stride;
        CopyComponent(in, from.position, out, to.position);
        CopyComponent(in, from.normal, out, to.normal);
        CopyComponent(in, from.pointSize, out, to.pointSize);
        CopyComponent(in, from.diffuse, out, to.diffuse);
        CopyComponent(in, from.specular, out, to.specular);
        for (int set = 0; set < 8; ++set) CopyComponent(in, from.texture[set], out, to.texture[set]);
    }
    if (FAILED(status = clone->WriteVertices(target))) return status;
    clone->attributes_ = attributes_;
    clone->table_ = table_;
    *cloneMesh = clone.Detach();
    return D3D_OK;
}

STDMETHODIMP Mesh::GetVertexBuffer(LPDIRECT3DVERTEXBUFFER9* vertexBuffer) {
    if (!vertexBuffer) return D3DERR_INVALIDCALL;
    *vertexBuffer = vertexBuffer_.get();
    vertexBuffer_->AddRef();
    return D3D_OK;
}

STDMETHODIMP Mesh::GetIndexBuffer(LPDIRECT3DINDEXBUFFER9* indexBuffer) {
    if (!indexBuffer) return D3DERR_INVALIDCALL;
    *indexBuffer = indexBuffer_.get();
    indexBuffer_->AddRef();
    return D3D_OK;
}

STDMETHODIMP Mesh::LockVertexBuffer(DWORD flags, LPVOID* data) {
    if (!data) return D3DERR_INVALIDCALL;
    return vertexBuffer_->Lock(0, 0, data, flags);
}

STDMETHODIMP Mesh::UnlockVertexBuffer() { return vertexBuffer_->Unlock(); }

STDMETHODIMP Mesh::LockIndexBuffer(DWORD flags, LPVOID* data) {
    if (!data) return D3DERR_INVALIDCALL;
    return indexBuffer_->Lock(0, 0, data, flags);
}

STDMETHODIMP Mesh::UnlockIndexBuffer() { return indexBuffer_->Unlock(); }

STDMETHODIMP Mesh::GetAttributeTable(D3DXATTRIBUTERANGE* attribTable, DWORD* attribTableSize) {
    if (attribTableSize) *attribTableSize = DWORD(table_.size());
    if (attribTable) std::copy(table_.begin(), table_.end(), attribTable);
    return D3D_OK;
}

STDMETHODIMP Mesh::LockAttributeBuffer(DWORD, DWORD** data) {
    if (!data) return D3DERR_INVALIDCALL;
    *data = attributes_.data();
    return D3D_OK;
}

STDMETHODIMP Mesh::UnlockAttributeBuffer() { return D3D_OK; }

}  // namespace platform::d3dx9
