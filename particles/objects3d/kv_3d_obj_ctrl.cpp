#include "particles/objects3d/kv_3d_obj_ctrl.h"

#include "particles/objects3d/kv_3dobj_array.h"
#include "scene/render/mesh_node.h"

KV_3D_Obj_Ctrl::KV_3D_Obj_Ctrl() { speed.StoreAndNotify(50); }

KV_3D_Obj_Ctrl::KV_3D_Obj_Ctrl(const KV_3D_Obj_Ctrl& other)
    : KV_ViewObjCtrl(other), instanceCount(other.instanceCount), size(other.size), texture(other.texture),
      mesh(other.mesh)
{
}

std::unique_ptr<KV_ABObj> KV_3D_Obj_Ctrl::CreateObject() const { return std::make_unique<KV_3DObjArray>(Clone()); }

void KV_3D_Obj_Ctrl::AttachInstances(const FrameHierarchyList& instances, std::vector<MeshNode>& meshes)
{
    if (meshes.size() < 2)
        return;
    meshes[0].instances.clear();
    meshes[1].instances.clear();
    for (const FrameHierarchy& root : instances) {
        for (KV_Frame* child : root->children)
            meshes[1].instances.push_back(child);
        meshes[0].instances.push_back(root.get());
    }
}

bool KV_3D_Obj_Ctrl::HasRectPlacement() const { return false; }
