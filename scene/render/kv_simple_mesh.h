// A frame with one vertex buffer. The record is the same for every vertex
// layout; each writer names the layout it writes.
#pragma once

#include <array>

#include "scene/model/screen_quad.h"
#include "scene/render/d3d_helpers.h"
#include "scene/render/kv_frame.h"

class KV_SimpleMesh : public KV_Frame {
public:
    void AttachVertexBuffer(IDirect3DVertexBuffer9* buffer, UINT count);

    // Four vertices of the layout as a strip of two triangles.
    void CreateQuadPT();
    void CreateQuadPC();
    void CreateQuadRHWC();
    void CreateQuadRHWCT();
    // n loose PCT vertices, for indexed geometry.
    void CreateVerticesPCT(UINT n);

    void SetStreamPT() const;
    // No vertex shader, the layout's code, this buffer on stream 0.
    void SetStream(DWORD fvf, UINT stride) const;

    // Quad writers: corner i goes to vertex i. A missing buffer, or one that
    // cannot be locked, writes nothing.
    void WriteQuadPT(const ScreenQuad& quad);
    void SetPositionsPT(const std::array<float, 12>& xyz);
    void SetQuadRHWC(D3DCOLOR colour, const ScreenQuad& quad);
    void SetPositionsRHWC(const ScreenQuad& quad);
    void SetAlphasRHWC(float a, float b, float c, float d);
    void SetQuadPC(D3DCOLOR colour, const ScreenQuad& quad);
    void SetPositionsPC(const ScreenQuad& quad);
    void SetColourPC(D3DCOLOR rgb);
    void SetAlphasPC(float a, float b, float c, float d);
    void WriteQuadRHWCT(const ScreenQuad& quad);

    VertexBufferHolder vertexBuffer;
    void* lockedVertices = nullptr;
    UINT vertexCount = 0;
    D3DPRIMITIVETYPE primitiveType = D3DPT_TRIANGLESTRIP;
    UINT primitiveCount = 0;

protected:
    // Locks the whole buffer for edit(V*) when it holds at least `needed`
    // vertices.
    template <class V, class Edit>
    void EditVertices(UINT needed, Edit edit)
    {
        void* locked = nullptr;
        if (!vertexBuffer || vertexCount < needed || FAILED(vertexBuffer->Lock(0, 0, &locked, 0)))
            return;
        edit(static_cast<V*>(locked));
        vertexBuffer->Unlock();
    }

private:
    template <class V>
    void CreateQuad();
};

// Fixed-function drawing of the mesh's pre-transformed RHWCT vertices.
void SetScreenMeshStream(const KV_SimpleMesh& mesh);

// (int)(alpha x 255), kept within one byte.
BYTE AlphaByte(float alpha);
