#include "scene/render/mesh_node.h"

#include "scene/resources/kv_docresmanager.h"

namespace {

constexpr UINT kMeshVertexSize = sizeof(DX_V::PNT);

}  // namespace

void MeshNode::BindResources(const KV_FileLink3& image, const KV_MeshFile& mesh)
{
    if (!g_currentDocResManager)
        return;
    IDirect3DTexture9* frame = g_currentDocResManager->GetImage(image).CurrentFrame();
    if (texture.Get() != frame)
        texture.Share(frame);
    SetMesh(mesh);
}

void MeshNode::SetMesh(const KV_MeshFile& link)
{
    if (g_currentDocResManager)
        TakeMesh(g_currentDocResManager->GetMesh(link, kMeshVertexSize));
}

void MeshNode::TakeMesh(const MeshBuffers& mesh)
{
    vertexBuffer.Share(mesh.Vertices());
    indexBuffer.Share(mesh.Indices());
    vertexCount = mesh.vertexCount;
    triangleCount = mesh.faceCount;
    boundingRadius = mesh.radius;
    for (int i = 0; i < 3; ++i)
        boundingCentre[i] = mesh.centre[i];
    primitiveType = D3DPT_TRIANGLELIST;
}
