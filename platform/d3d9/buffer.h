// IDirect3DVertexBuffer9 and IDirect3DIndexBuffer9: the bytes live on the
// CPU (Lock hands them out, draws read them for bounds) and in a GL buffer
// (the GL side), which the last Unlock queues the changed range for.
#pragma once

#include <array>
#include <type_traits>
#include <vector>

#include <d3d9.h>

#include "d3d9/buffer_access.h"
#include "d3d9/resource_hold.h"
#include "d3d9/resource_lifetime.h"
#include "d3d9/shared_bytes.h"

namespace platform::d3d9 {

class Device;

// What both buffer kinds share; Interface is the COM face.
template <typename Interface>
class Buffer final : public Interface, public BufferAccess, public ResourceHold {
public:
    static constexpr bool kVertices = std::is_same_v<Interface, IDirect3DVertexBuffer9>;
    using Desc = std::conditional_t<kVertices, D3DVERTEXBUFFER_DESC, D3DINDEXBUFFER_DESC>;

    // Arguments already checked. format: D3DFMT_VERTEXDATA or the index format.
    static Buffer* Create(Device& device, UINT length, DWORD usage, D3DFORMAT format, DWORD fvf, D3DPOOL pool);

    STDMETHODIMP QueryInterface(REFIID iid, void** object) override;
    STDMETHODIMP_(ULONG) AddRef() override { return lifetime_.AddRef(); }
    STDMETHODIMP_(ULONG) Release() override {
        return lifetime_.Release([this] { delete this; });
    }
    void AddHold() override { lifetime_.AddHold(); }
    void ReleaseHold() override {
        lifetime_.ReleaseHold([this] { delete this; });
    }
    STDMETHODIMP GetDevice(IDirect3DDevice9** device) override;
    STDMETHODIMP_(D3DRESOURCETYPE) GetType() override;
    STDMETHODIMP Lock(UINT offsetToLock, UINT sizeToLock, void** data, DWORD flags) override;
    STDMETHODIMP Unlock() override;
    STDMETHODIMP GetDesc(Desc* desc) override;

    UINT ByteSize() const override { return static_cast<UINT>(bytes_.size()); }
    const BYTE* Contents() const override { return bytes_.data(); }
    BufferGl* gl() const override { return gl_; }
    // Remembered until the next lock: meshes draw the same parts every frame.
    IndexRange IndexSpan(UINT first, UINT count, UINT size) override;

private:
    Buffer(Device& device, UINT length, DWORD usage, D3DFORMAT format, DWORD fvf, D3DPOOL pool);
    ~Buffer();
    // The bytes a lock with these flags writes to.
    BYTE* WritableBytes(DWORD flags);

    Device* device_;
    ResourceLifetime lifetime_;
    SharedBytes bytes_;
    DWORD usage_;
    D3DFORMAT format_;
    DWORD fvf_;
    D3DPOOL pool_;
    UINT locks_ = 0;
    // Bytes written since the last upload: [dirtyBegin_, dirtyEnd_).
    UINT dirtyBegin_ = 0;
    UINT dirtyEnd_ = 0;
    BufferGl* gl_;
    struct Span {
        UINT first = 0, count = 0, size = 0;
        IndexRange range;
    };
    std::array<Span, 4> spans_{};  // count 0: unused
    size_t nextSpan_ = 0;
};

using VertexBuffer = Buffer<IDirect3DVertexBuffer9>;
using IndexBuffer = Buffer<IDirect3DIndexBuffer9>;

}  // namespace platform::d3d9
