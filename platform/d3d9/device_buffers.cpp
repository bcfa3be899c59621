// CreateVertexBuffer and CreateIndexBuffer.
#include "d3d9/buffer.h"
#include "d3d9/device.h"

namespace platform::d3d9 {
namespace {

bool BufferUsageFitsPool(DWORD usage, D3DPOOL pool) {
    const DWORD known = D3DUSAGE_WRITEONLY | D3DUSAGE_DYNAMIC | D3DUSAGE_DONOTCLIP | D3DUSAGE_POINTS |
                        D3DUSAGE_SOFTWAREPROCESSING;
    if (usage & ~known) return false;
    if ((usage & D3DUSAGE_DYNAMIC) && pool == D3DPOOL_MANAGED) return false;
    return pool <= D3DPOOL_SYSTEMMEM;
}

}  // namespace

STDMETHODIMP Device::CreateVertexBuffer(UINT length, DWORD usage, DWORD fvf, D3DPOOL pool,
                                        IDirect3DVertexBuffer9** vertexBuffer, HANDLE* sharedHandle) {
    if (!vertexBuffer) return D3DERR_INVALIDCALL;
    *vertexBuffer = nullptr;
    if (sharedHandle || length == 0 || !BufferUsageFitsPool(usage, pool)) return D3DERR_INVALIDCALL;
    *vertexBuffer = VertexBuffer::Create(*this, length, usage, D3DFMT_VERTEXDATA, fvf, pool);
    return D3D_OK;
}

STDMETHODIMP Device::CreateIndexBuffer(UINT length, DWORD usage, D3DFORMAT format, D3DPOOL pool,
                                       IDirect3DIndexBuffer9** indexBuffer, HANDLE* sharedHandle) {
    if (!indexBuffer) return D3DERR_INVALIDCALL;
    *indexBuffer = nullptr;
    if (sharedHandle || length == 0 || !BufferUsageFitsPool(usage, pool)) return D3DERR_INVALIDCALL;
    if (format != D3DFMT_INDEX16 && format != D3DFMT_INDEX32) return D3DERR_INVALIDCALL;
    *indexBuffer = IndexBuffer::Create(*this, length, usage, format, 0, pool);
    return D3D_OK;
}

}  // namespace platform::d3d9
