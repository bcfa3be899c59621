// Small Direct3D helpers on the current device: buffers of the vertex
// layouts, grid indices, texture copies and the back-buffer size. Failures
// are not reported: a failed creation leaves the holder empty.
#pragma once

#include <windows.h>

#include <d3d9.h>

#include "scene/model/screen_quad.h"
#include "scene/render/shared_com.h"
#include "scene/render/vertex_formats.h"

using VertexBufferHolder = SharedCom<IDirect3DVertexBuffer9>;
using IndexBufferHolder = SharedCom<IDirect3DIndexBuffer9>;
using TextureHolder = SharedCom<IDirect3DTexture9>;

// n vertices of the layout; the holder's old buffer is released first.
void CreateVertexBuffer(UINT n, DWORD fvf, UINT stride, VertexBufferHolder& holder,
                        DWORD usage = D3DUSAGE_WRITEONLY, D3DPOOL pool = D3DPOOL_MANAGED);
template <class V>
void CreateVertexBufferOf(UINT n, VertexBufferHolder& holder, DWORD usage = D3DUSAGE_WRITEONLY,
                          D3DPOOL pool = D3DPOOL_MANAGED)
{
    CreateVertexBuffer(n, V::FVF, sizeof(V), holder, usage, pool);
}
inline void CreateVertexBufferPT(UINT n, VertexBufferHolder& holder, DWORD usage = D3DUSAGE_WRITEONLY,
                                 D3DPOOL pool = D3DPOOL_MANAGED)
{
    CreateVertexBufferOf<DX_V::PT>(n, holder, usage, pool);
}
inline void CreateVertexBufferPC(UINT n, VertexBufferHolder& holder, DWORD usage = D3DUSAGE_WRITEONLY,
                                 D3DPOOL pool = D3DPOOL_MANAGED)
{
    CreateVertexBufferOf<DX_V::PC>(n, holder, usage, pool);
}
inline void CreateVertexBufferRHWC(UINT n, VertexBufferHolder& holder, DWORD usage = D3DUSAGE_WRITEONLY,
                                   D3DPOOL pool = D3DPOOL_MANAGED)
{
    CreateVertexBufferOf<DX_V::RHWC>(n, holder, usage, pool);
}
inline void CreateVertexBufferRHWCT(UINT n, VertexBufferHolder& holder, DWORD usage = D3DUSAGE_WRITEONLY,
                                    D3DPOOL pool = D3DPOOL_MANAGED)
{
    CreateVertexBufferOf<DX_V::RHWCT>(n, holder, usage, pool);
}

// A write-only managed 16-bit index buffer for count indices.
void CreateIndexBuffer16(UINT count, IndexBufferHolder& holder);

// Two triangles per cell of a grid of columns x rows vertices, cells in
// row-major order.
void CreateGridIndexBuffer(UINT columns, UINT rows, IndexBufferHolder& holder);

// One level, A8R8G8B8, default pool; the old texture is released first.
void CreateRenderTargetTexture(TextureHolder& holder, UINT width, UINT height);

// A managed texture with a full mip chain whose top level is the source's
// top level; the lower levels are left unfilled.
void CreateTextureCopy(UINT width, UINT height, IDirect3DTexture9* source, D3DFORMAT format, TextureHolder& holder);
// A square copy of side 128 << n in a format D3DX chooses.
void CreateSquareTextureCopy(UINT n, TextureHolder& holder, IDirect3DTexture9* source);

// Back buffer 0 of the current device; zeroed when there is none.
D3DSURFACE_DESC GetBackBufferDesc();

// Vertices of a grid of (columns + 1) x (rows + 1) points spanning the quad,
// every component interpolated; rows run from corners 0-1 to corners 2-3.
void FillGridFromQuad(const ScreenQuad& quad, UINT columns, UINT rows, DX_V::PT* vertices);
