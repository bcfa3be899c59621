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
    : device_(&device),
      lifetime_(device, 1),
      bytes_(length),
      usage_(usage),
      format_(format),
      fvf_(fvf),
      pool_(pool),
      gl_(new BufferGl(length, usage)) {}

template <typename Interface>
Buffer<Interface>::~Buffer() {
    if (pool_ == D3DPOOL_DEFAULT) device_->RemoveDefaultPoolResource();
    device_->Retire(gl_);
}

// Bytes that a queued upload still reads are never written: a dynamic
// buffer's DISCARD renames to a block whose contents are undefined (all of
// it then counts as written, so that the GL buffer holds what the CPU copy
// does), NOOVERWRITE promises to leave alone what is in use and writes in
// place, and any other lock copies.
template <typename Interface>
BYTE* Buffer<Interface>::WritableBytes(DWORD flags) {
    const bool dynamic = (usage_ & D3DUSAGE_DYNAMIC) != 0;
    if (dynamic && (flags & D3DLOCK_NOOVERWRITE)) return bytes_.data();
    const BYTE* before = bytes_.data();
    BYTE* bytes = bytes_.Writable(!(dynamic && (flags & D3DLOCK_DISCARD)));
    if (bytes != before && dynamic && (flags & D3DLOCK_DISCARD)) {
        dirtyBegin_ = 0;
        dirtyEnd_ = static_cast<UINT>(bytes_.size());
    }
    return bytes;
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
    const bool writes = (flags & D3DLOCK_READONLY) == 0 && sizeToLock != 0;
    *data = (writes ? WritableBytes(flags) : bytes_.data()) + offsetToLock;
    ++locks_;
    spans_ = {};
    if (writes) {
        const bool clean = dirtyBegin_ == dirtyEnd_;
        dirtyBegin_ = clean ? offsetToLock : std::min(dirtyBegin_, offsetToLock);
        dirtyEnd_ = clean ? offsetToLock + sizeToLock : std::max(dirtyEnd_, offsetToLock + sizeToLock);
    }
    return D3D_OK;
}

template <typename Interface>
STDMETHODIMP Buffer<Interface>::Unlock() {
    if (locks_ == 0) return D3DERR_INVALIDCALL;
    if (--locks_ != 0 || dirtyBegin_ == dirtyEnd_) return D3D_OK;
    device_->commands().Record([gl = device_->gl(), part = gl_, begin = dirtyBegin_, end = dirtyEnd_,
                                bytes = bytes_.Share()] {
        if (gl->usable) part->Write(begin, end - begin, bytes->data() + begin);
        bytes->Release();
    });
    dirtyBegin_ = dirtyEnd_ = 0;
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
