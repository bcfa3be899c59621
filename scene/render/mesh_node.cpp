#include "scene/render/mesh_node.h"

#include "scene/resources/kv_docresmanager.h"

namespace {

constexpr UINT kMeshVertexSize = sizeof(DX_V::PNT);

}  // namespace

void MeshNode::SetMesh(const KV_MeshFile& link)
{
    if (!g_currentDocResManager)
        return;
    const MeshBuffers& mesh = g_currentDocResManager->GetMesh(link, kMeshVertexSize);
    vertexBuffer.Share(mesh.Vertices());
    indexBuffer.Share(mesh.Indices());
    vertexCount = mesh.vertexCount;
    triangleCount = mesh.faceCount;
    boundingRadius = mesh.radius;
    for (int i = 0; i < 3; ++i)
        boundingCentre[i] = mesh.centre[i];
    primitiveType = D3DPT_TRIANGLELIST;
}
