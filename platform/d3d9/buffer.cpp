#include "d3d9/buffer.h"

#include <algorithm>

#include "d3d9/device.h"

namespace platform::d3d9 {

template <typename Interface>
Buffer<Interface>* Buffer<Interface>::Create(Device& device, UINT length, DWORD usage, D3DFORMAT format, DWORD fvf,
                                             D3DPOOL pool) {
    auto* buffer = new Buffer(device, length, usage, format, fvf, pool);
    if (pool == D3DPOOL_DEFAULT) device.AddDefaultPoolResource();
    return buffer;
}

template <typename Interface>
Buffer<Interface>::Buffer(Device& device, UINT length, DWORD usage, D3DFORMAT format, DWORD fvf, D3DPOOL pool)
    : device_(&device), lifetime_(device, 1), bytes_(length), usage_(usage), format_(format), fvf_(fvf), pool_(pool), dirtyEnd_(length) {}

template <typename Interface>
Buffer<Interface>::~Buffer() {
    if (pool_ == D3DPOOL_DEFAULT) device_->RemoveDefaultPoolResource();
    if (buffer_.name() != 0 && !device_->MakeCurrent()) buffer_.Abandon();
}

template <typename Interface>
STDMETHODIMP Buffer<Interface>::QueryInterface(REFIID iid, void** object) {
    if (!object) return E_POINTER;
    const IID& own = kVertices ? IID_IDirect3DVertexBuffer9 : IID_IDirect3DIndexBuffer9;
    if (IsEqualGUID(iid, IID_IUnknown) || IsEqualGUID(iid, IID_IDirect3DResource9) || IsEqualGUID(iid, own)) {
        AddRef();
        *object = static_cast<Interface*>(this);
        return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
}

template <typename Interface>
STDMETHODIMP Buffer<Interface>::GetDevice(IDirect3DDevice9** device) {
    if (!device) return D3DERR_INVALIDCALL;
    device_->AddRef();
    *device = device_;
    return D3D_OK;
}

template <typename Interface>
STDMETHODIMP_(D3DRESOURCETYPE) Buffer<Interface>::GetType() {
    return kVertices ? D3DRTYPE_VERTEXBUFFER : D3DRTYPE_INDEXBUFFER;
}

template <typename Interface>
STDMETHODIMP Buffer<Interface>::Lock(UINT offsetToLock, UINT sizeToLock, void** data, DWORD flags) {
    if (!data) return D3DERR_INVALIDCALL;
    *data = nullptr;
    const UINT length = static_cast<UINT>(bytes_.size());
    if (offsetToLock > length) return D3DERR_INVALIDCALL;
    // Size 0 locks the rest of the buffer.
    if (sizeToLock == 0) sizeToLock = length - offsetToLock;
    if (sizeToLock > length - offsetToLock) return D3DERR_INVALIDCALL;
    // DISCARD and NOOVERWRITE only promise what the caller will not read
    // or overwrite: the CPU copy keeps every byte, so both map the same.
    *data = bytes_.data() + offsetToLock;
    ++locks_;
    spans_ = {};
    if ((flags & D3DLOCK_READONLY) == 0 && sizeToLock != 0) {
        const bool clean = dirtyBegin_ == dirtyEnd_;
        dirtyBegin_ = clean ? offsetToLock : std::min(dirtyBegin_, offsetToLock);
        dirtyEnd_ = clean ? offsetToLock + sizeToLock : std::max(dirtyEnd_, offsetToLock + sizeToLock);
    }
    return D3D_OK;
}

template <typename Interface>
STDMETHODIMP Buffer<Interface>::Unlock() {
    if (locks_ == 0) return D3DERR_INVALIDCALL;
    --locks_;
    return D3D_OK;
}

template <typename Interface>
STDMETHODIMP Buffer<Interface>::GetDesc(Desc* desc) {
    if (!desc) return D3DERR_INVALIDCALL;
    desc->Format = format_;
    desc->Type = GetType();
    desc->Usage = usage_;
    desc->Pool = pool_;
    desc->Size = static_cast<UINT>(bytes_.size());
    if constexpr (kVertices) desc->FVF = fvf_;
    return D3D_OK;
}

template <typename Interface>
GLuint Buffer<Interface>::GlBuffer() {
    if (buffer_.name() == 0) {
        buffer_ = GlObject(GlObject::Kind::Buffer);
        glBindBuffer(GL_COPY_WRITE_BUFFER, buffer_.name());
        glBufferData(GL_COPY_WRITE_BUFFER, static_cast<GLsizeiptr>(bytes_.size()), bytes_.data(),
                     (usage_ & D3DUSAGE_DYNAMIC) ? GL_DYNAMIC_DRAW : GL_STATIC_DRAW);
    } else if (dirtyBegin_ != dirtyEnd_) {
        glBindBuffer(GL_COPY_WRITE_BUFFER, buffer_.name());
        glBufferSubData(GL_COPY_WRITE_BUFFER, dirtyBegin_, dirtyEnd_ - dirtyBegin_, bytes_.data() + dirtyBegin_);
    }
    dirtyBegin_ = dirtyEnd_ = 0;
    return buffer_.name();
}

template <typename Interface>
IndexRange Buffer<Interface>::IndexSpan(UINT first, UINT count, UINT size) {
    const BYTE* indices = bytes_.data() + static_cast<size_t>(first) * size;
    // A locked buffer may change under the caller's pointer.
    if (locks_ != 0) return ScanIndices(indices, size, count);
    for (const Span& span : spans_) {
        if (span.count == count && span.first == first && span.size == size) return span.range;
    }
    Span& span = spans_[nextSpan_];
    nextSpan_ = (nextSpan_ + 1) % spans_.size();
    span = {first, count, size, ScanIndices(indices, size, count)};
    return span.range;
}

template class Buffer<IDirect3DVertexBuffer9>;
template class Buffer<IDirect3DIndexBuffer9>;

}  // namespace platform::d3d9
