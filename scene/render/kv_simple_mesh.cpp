#include "scene/render/kv_simple_mesh.h"

#include <algorithm>

#include "scene/render/current_device.h"

namespace {

template <class V>
void CopyScreenPosition(V& vertex, const ScreenQuadCorner& corner)
{
    vertex.x = corner.x;
    vertex.y = corner.y;
    vertex.z = 0.0f;
    vertex.rhw = corner.z;
}

void CopyPlanePosition(DX_V::PC& vertex, const ScreenQuadCorner& corner)
{
    vertex.x = corner.x;
    vertex.y = corner.y;
    vertex.z = 0.0f;
}

void SetAlpha(D3DCOLOR& colour, float alpha)
{
    colour = (colour & 0x00FFFFFF) | (static_cast<D3DCOLOR>(AlphaByte(alpha)) << 24);
}

// Vertex 0 := a, 2 := b, 1 := c, 3 := d.
template <class V>
void SetCornerAlphas(V* vertices, float a, float b, float c, float d)
{
    SetAlpha(vertices[0].diffuse, a);
    SetAlpha(vertices[2].diffuse, b);
    SetAlpha(vertices[1].diffuse, c);
    SetAlpha(vertices[3].diffuse, d);
}

}  // namespace

BYTE AlphaByte(float alpha)
{
    return static_cast<BYTE>(static_cast<int>(std::clamp(alpha, 0.0f, 1.0f) * 255.0f));
}

void KV_SimpleMesh::AttachVertexBuffer(IDirect3DVertexBuffer9* buffer, UINT count)
{
    vertexBuffer.Share(buffer);
    vertexCount = count;
    primitiveType = D3DPT_TRIANGLESTRIP;
    primitiveCount = 2;
}

template <class V>
void KV_SimpleMesh::CreateQuad()
{
    VertexBufferHolder buffer;
    CreateVertexBufferOf<V>(4, buffer);
    AttachVertexBuffer(buffer.Get(), 4);
}

void KV_SimpleMesh::CreateQuadPT() { CreateQuad<DX_V::PT>(); }
void KV_SimpleMesh::CreateQuadPC() { CreateQuad<DX_V::PC>(); }
void KV_SimpleMesh::CreateQuadRHWC() { CreateQuad<DX_V::RHWC>(); }
void KV_SimpleMesh::CreateQuadRHWCT() { CreateQuad<DX_V::RHWCT>(); }

void KV_SimpleMesh::CreateVerticesPCT(UINT n)
{
    vertexBuffer.Reset();
    vertexCount = n;
    CreateVertexBufferOf<DX_V::PCT>(n, vertexBuffer);
}

void KV_SimpleMesh::SetStream(DWORD fvf, UINT stride) const
{
    g_currentDevice->SetVertexShader(nullptr);
    g_currentDevice->SetFVF(fvf);
    g_currentDevice->SetStreamSource(0, vertexBuffer.Get(), 0, stride);
}

void KV_SimpleMesh::SetStreamPT() const { SetStream(DX_V::PT::FVF, sizeof(DX_V::PT)); }

void SetScreenMeshStream(const KV_SimpleMesh& mesh) { mesh.SetStream(DX_V::RHWCT::FVF, sizeof(DX_V::RHWCT)); }

void KV_SimpleMesh::WriteQuadPT(const ScreenQuad& quad)
{
    CreateQuadPT();
    EditVertices<DX_V::PT>(4, [&](DX_V::PT* vertices) {
        for (int i = 0; i < 4; ++i) {
            const ScreenQuadCorner& corner = quad.corners[i];
            vertices[i] = {corner.x, corner.y, corner.z, corner.u, corner.v};
        }
    });
}

void KV_SimpleMesh::SetPositionsPT(const std::array<float, 12>& xyz)
{
    EditVertices<DX_V::PT>(4, [&](DX_V::PT* vertices) {
        for (int i = 0; i < 4; ++i) {
            vertices[i].x = xyz[3 * i];
            vertices[i].y = xyz[3 * i + 1];
            vertices[i].z = xyz[3 * i + 2];
        }
    });
}

void KV_SimpleMesh::SetQuadRHWC(D3DCOLOR colour, const ScreenQuad& quad)
{
    CreateQuadRHWC();
    EditVertices<DX_V::RHWC>(4, [&](DX_V::RHWC* vertices) {
        for (int i = 0; i < 4; ++i) {
            CopyScreenPosition(vertices[i], quad.corners[i]);
            vertices[i].diffuse = colour;
        }
    });
}

void KV_SimpleMesh::SetPositionsRHWC(const ScreenQuad& quad)
{
    EditVertices<DX_V::RHWC>(4, [&](DX_V::RHWC* vertices) {
        for (int i = 0; i < 4; ++i)
            CopyScreenPosition(vertices[i], quad.corners[i]);
    });
}

void KV_SimpleMesh::SetAlphasRHWC(float a, float b, float c, float d)
{
    EditVertices<DX_V::RHWC>(4, [&](DX_V::RHWC* vertices) { SetCornerAlphas(vertices, a, b, c, d); });
}

void KV_SimpleMesh::SetQuadPC(D3DCOLOR colour, const ScreenQuad& quad)
{
    CreateQuadPC();
    EditVertices<DX_V::PC>(4, [&](DX_V::PC* vertices) {
        for (int i = 0; i < 4; ++i) {
            CopyPlanePosition(vertices[i], quad.corners[i]);
            vertices[i].diffuse = colour;
        }
    });
}

void KV_SimpleMesh::SetPositionsPC(const ScreenQuad& quad)
{
    EditVertices<DX_V::PC>(4, [&](DX_V::PC* vertices) {
        for (int i = 0; i < 4; ++i)
            CopyPlanePosition(vertices[i], quad.corners[i]);
    });
}

void KV_SimpleMesh::SetColourPC(D3DCOLOR rgb)
{
    EditVertices<DX_V::PC>(4, [&](DX_V::PC* vertices) {
        for (int i = 0; i < 4; ++i)
            vertices[i].diffuse = (vertices[i].diffuse & 0xFF000000) | (rgb & 0x00FFFFFF);
    });
}

void KV_SimpleMesh::SetAlphasPC(float a, float b, float c, float d)
{
    EditVertices<DX_V::PC>(4, [&](DX_V::PC* vertices) { SetCornerAlphas(vertices, a, b, c, d); });
}

void KV_SimpleMesh::WriteQuadRHWCT(const ScreenQuad& quad)
{
    EditVertices<DX_V::RHWCT>(4, [&](DX_V::RHWCT* vertices) {
        for (int i = 0; i < 4; ++i) {
            CopyScreenPosition(vertices[i], quad.corners[i]);
            vertices[i].u = quad.corners[i].u;
            vertices[i].v = quad.corners[i].v;
        }
    });
}
