#include "scene/render/quad_batch.h"

#include <algorithm>

#include "scene/render/current_device.h"

void QuadBatchChunk::SetQuadCount(UINT q)
{
    primitiveType = D3DPT_TRIANGLELIST;
    vertexCount = 4 * q;
    triangleCount = 2 * q;
    primitiveCount = 0;
    if (q == 0) {
        vertexBuffer.Reset();
        indexBuffer.Reset();
        return;
    }
    CreateVertexBufferRHWCT(vertexCount, vertexBuffer);
    CreateQuadIndices(q);
    EditVertices<DX_V::RHWCT>(vertexCount, [&](DX_V::RHWCT* vertices) {
        static constexpr float kU[4] = {0, 0, 1, 1}, kV[4] = {1, 0, 1, 0};
        for (UINT k = 0; k < vertexCount; ++k)
            vertices[k] = {0.0f, 0.0f, 0.0f, 1.0f, 0, kU[k % 4], kV[k % 4]};
    });
}

DX_V::RHWCT* QuadBatchChunk::LockedQuad(UINT i) const
{
    if (!lockedVertices || i >= QuadCount())
        return nullptr;
    return static_cast<DX_V::RHWCT*>(lockedVertices) + 4 * i;
}

void QuadBatchChunk::SetQuadUV(UINT i, float leftU, float rightU, float topV, float bottomV)
{
    DX_V::RHWCT* quad = LockedQuad(i);
    if (!quad)
        return;
    const float u[4] = {leftU, leftU, rightU, rightU}, v[4] = {bottomV, topV, bottomV, topV};
    for (int k = 0; k < 4; ++k) {
        quad[k].u = u[k];
        quad[k].v = v[k];
    }
}

void QuadBatch::Resize(int n)
{
    n = std::max(n, 0);
    const UINT quads = static_cast<UINT>(n);
    chunks.resize(quads / kQuadsPerChunk + 1);
    for (UINT i = 0; i < chunks.size(); ++i) {
        chunks[i].SetQuadCount(std::min(quads - kQuadsPerChunk * i, kQuadsPerChunk));
        if (i > 0)
            chunks[i].texture = chunks[0].texture;
    }
    count = n;
}

void QuadBatch::Lock()
{
    for (QuadBatchChunk& chunk : chunks) {
        if (chunk.vertexBuffer && FAILED(chunk.vertexBuffer->Lock(0, 0, &chunk.lockedVertices, 0)))
            chunk.lockedVertices = nullptr;
    }
}

void QuadBatch::Unlock()
{
    for (QuadBatchChunk& chunk : chunks) {
        if (chunk.vertexBuffer && chunk.lockedVertices)
            chunk.vertexBuffer->Unlock();
        chunk.lockedVertices = nullptr;
    }
}

void QuadBatch::SetTexture(IDirect3DTexture9* texture)
{
    for (QuadBatchChunk& chunk : chunks)
        chunk.texture.Share(texture);
}

DX_V::RHWCT* QuadBatch::LockedQuad(int i) const
{
    if (i < 0 || i >= count)
        return nullptr;
    const UINT index = static_cast<UINT>(i);
    return chunks[index / kQuadsPerChunk].LockedQuad(index % kQuadsPerChunk);
}

void QuadBatch::SetQuadCorners(int i, const D3DXVECTOR2& centre, const D3DXVECTOR2& a, const D3DXVECTOR2& b)
{
    DX_V::RHWCT* quad = LockedQuad(i);
    if (!quad)
        return;
    const float signA[4] = {-1, -1, 1, 1}, signB[4] = {1, -1, 1, -1};
    for (int k = 0; k < 4; ++k) {
        quad[k].x = centre.x + signA[k] * a.x + signB[k] * b.x;
        quad[k].y = centre.y + signA[k] * a.y + signB[k] * b.y;
        quad[k].rhw = 1.0f;
    }
}

void QuadBatch::SetQuadColour(int i, D3DCOLOR colour)
{
    DX_V::RHWCT* quad = LockedQuad(i);
    if (!quad)
        return;
    for (int k = 0; k < 4; ++k)
        quad[k].diffuse = colour;
}

void QuadBatch::SetQuadUV(int i, float leftU, float rightU, float topV, float bottomV)
{
    if (i < 0 || i >= count)
        return;
    const UINT index = static_cast<UINT>(i);
    chunks[index / kQuadsPerChunk].SetQuadUV(index % kQuadsPerChunk, leftU, rightU, topV, bottomV);
}

void QuadBatch::Draw() const
{
    for (const QuadBatchChunk& chunk : chunks) {
        if (!chunk.vertexBuffer || !chunk.indexBuffer)
            continue;
        g_currentDevice->SetTexture(0, chunk.texture.Get());
        g_currentDevice->SetIndices(chunk.indexBuffer.Get());
        chunk.SetStream(DX_V::RHWCT::FVF, sizeof(DX_V::RHWCT));
        g_currentDevice->DrawIndexedPrimitive(D3DPT_TRIANGLELIST, 0, 0, chunk.vertexCount, 0, chunk.triangleCount);
    }
}
