#include "scene/render/d3d_helpers.h"

#include "scene/render/current_device.h"

void CreateVertexBuffer(UINT n, DWORD fvf, UINT stride, VertexBufferHolder& holder, DWORD usage, D3DPOOL pool)
{
    IDirect3DVertexBuffer9** out = holder.Receive();
    if (g_currentDevice && n > 0)
        g_currentDevice->CreateVertexBuffer(n * stride, usage, fvf, pool, out, nullptr);
}

void CreateIndexBuffer16(UINT count, IndexBufferHolder& holder)
{
    IDirect3DIndexBuffer9** out = holder.Receive();
    if (g_currentDevice && count > 0)
        g_currentDevice->CreateIndexBuffer(count * sizeof(WORD), D3DUSAGE_WRITEONLY, D3DFMT_INDEX16, D3DPOOL_MANAGED,
                                           out, nullptr);
}

void CreateGridIndexBuffer(UINT columns, UINT rows, IndexBufferHolder& holder)
{
    const UINT cells = columns > 1 && rows > 1 ? (columns - 1) * (rows - 1) : 0;
    CreateIndexBuffer16(cells * 6, holder);
    void* locked = nullptr;
    if (!holder || FAILED(holder->Lock(0, 0, &locked, 0)))
        return;
    WORD* index = static_cast<WORD*>(locked);
    for (UINT row = 0; row + 1 < rows; ++row) {
        for (UINT column = 0; column + 1 < columns; ++column) {
            const WORD v = static_cast<WORD>(row * columns + column);
            const WORD c = static_cast<WORD>(columns);
            for (WORD value : {v, WORD(v + 1), WORD(v + c), WORD(v + c), WORD(v + 1), WORD(v + c + 1)})
                *index++ = value;
        }
    }
    holder->Unlock();
}

void CreateRenderTargetTexture(TextureHolder& holder, UINT width, UINT height)
{
    IDirect3DTexture9** out = holder.Receive();
    if (g_currentDevice)
        g_currentDevice->CreateTexture(width, height, 1, D3DUSAGE_RENDERTARGET, D3DFMT_A8R8G8B8, D3DPOOL_DEFAULT, out,
                                       nullptr);
}

D3DSURFACE_DESC GetBackBufferDesc()
{
    D3DSURFACE_DESC description{};
    SharedCom<IDirect3DSurface9> backBuffer;
    if (g_currentDevice &&
        SUCCEEDED(g_currentDevice->GetBackBuffer(0, 0, D3DBACKBUFFER_TYPE_MONO, backBuffer.Receive())))
        backBuffer->GetDesc(&description);
    return description;
}

namespace {

DX_V::PT Lerp(const DX_V::PT& from, const DX_V::PT& to, float t)
{
    return {from.x + t * (to.x - from.x), from.y + t * (to.y - from.y), from.z + t * (to.z - from.z),
            from.u + t * (to.u - from.u), from.v + t * (to.v - from.v)};
}

}  // namespace

void FillGridFromQuad(const ScreenQuad& quad, UINT columns, UINT rows, DX_V::PT* vertices)
{
    DX_V::PT c[4];
    for (int k = 0; k < 4; ++k) {
        const ScreenQuadCorner& corner = quad.corners[k];
        c[k] = {corner.x, corner.y, corner.z, corner.u, corner.v};
    }
    for (UINT j = 0; j <= rows; ++j) {
        const float tj = rows > 0 ? static_cast<float>(j) / static_cast<float>(rows) : 0.0f;
        const DX_V::PT p = Lerp(c[0], c[2], tj);
        const DX_V::PT q = Lerp(c[1], c[3], tj);
        for (UINT i = 0; i <= columns; ++i) {
            const float ti = columns > 0 ? static_cast<float>(i) / static_cast<float>(columns) : 0.0f;
            vertices[j * (columns + 1) + i] = Lerp(p, q, ti);
        }
    }
}
