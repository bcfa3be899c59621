// ID3DXBuffer: bytes handed back by D3DX calls.
#include <vector>

#include <d3dx9.h>

#include "com/com_object.h"

namespace platform::d3dx9 {
namespace {

class Buffer final : public ComObject<Implements<ID3DXBuffer, IID_ID3DXBuffer>> {
public:
    explicit Buffer(DWORD size) : bytes_(size) {}
    STDMETHODIMP_(LPVOID) GetBufferPointer() override { return bytes_.empty() ? nullptr : bytes_.data(); }
    STDMETHODIMP_(DWORD) GetBufferSize() override { return static_cast<DWORD>(bytes_.size()); }

private:
    std::vector<BYTE> bytes_;
};

}  // namespace
}  // namespace platform::d3dx9

HRESULT WINAPI D3DXCreateBuffer(DWORD numBytes, LPD3DXBUFFER* buffer) {
    if (!buffer) return D3DERR_INVALIDCALL;
    *buffer = new platform::d3dx9::Buffer(numBytes);
    return D3D_OK;
}
