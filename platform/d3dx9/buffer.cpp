// ID3DXBuffer: a block of bytes handed out by D3DX calls.
#include "com/com_object.h"

#include <d3dx9.h>

#include <memory>
#include <new>

namespace platform::d3dx9 {
namespace {

class Buffer : public ComObject<Implements<ID3DXBuffer, IID_ID3DXBuffer>> {
public:
    explicit Buffer(DWORD size) : bytes_(new (std::nothrow) BYTE[size ? size : 1]()), size_(size) {}
    bool valid() const { return bytes_ != nullptr; }

    STDMETHODIMP_(LPVOID) GetBufferPointer() override { return bytes_.get(); }
    STDMETHODIMP_(DWORD) GetBufferSize() override { return size_; }

private:
    std::unique_ptr<BYTE[]> bytes_;
    DWORD size_;
};

}  // namespace
}  // namespace platform::d3dx9

HRESULT WINAPI D3DXCreateBuffer(DWORD numBytes, LPD3DXBUFFER* buffer) {
    if (!buffer) return D3DERR_INVALIDCALL;
    *buffer = nullptr;
    auto* created = new (std::nothrow) platform::d3dx9::Buffer(numBytes);
    if (!created) return E_OUTOFMEMORY;
    if (!created->valid()) {
        created->Release();
        return E_OUTOFMEMORY;
    }
    *buffer = created;
    return D3D_OK;
}
