#include "particles/objects3d/kv_butterfly_constructor.h"

#include "particles/objects3d/ac_butterfly.h"
#include "particles/objects3d/default_resources.h"
#include "particles/objects3d/transforms.h"
#include "scene/render/mesh_node.h"

KV_ButterflyConstructor::KV_ButterflyConstructor()
    : bodyTexture(DefaultResource(kButterflyBodyPicture)), bodyMesh(DefaultResource(kButterflyBodyMesh))
{
    mesh.SetKey(DefaultResource(kButterflyWingMesh).Key());
    size.Value() = 100;
    setting = true;
}

std::unique_ptr<KV_3D_Obj_Ctrl> KV_ButterflyConstructor::Clone() const
{
    return std::make_unique<KV_ButterflyConstructor>(*this);
}

void KV_ButterflyConstructor::BuildMeshes(std::vector<MeshNode>& meshes)
{
    meshes.resize(2);
    meshes[0].BindResources(bodyTexture, bodyMesh);
    meshes[1].BindResources(texture, mesh);
    meshes[1].flag = 1;
}

FrameHierarchy KV_ButterflyConstructor::CreateInstance()
{
    auto body = std::make_unique<AC_Butterfly>(*this);
    AC_Butterfly& butterfly = *body;
    FrameHierarchy root(MakeFrame(Scaling(0.5f) * RotationY(90.0f), std::move(body)).release());
    for (int i = 0; i < 2; ++i)
        root->children.push_back(MakeFrame(Scaling(wingScale), butterfly.ReleaseWing(i)).release());
    return root;
}
