// Description base of the 3D objects: copies of a small hierarchy of
// textured meshes over the slide, each moved by its controllers.
#pragma once

#include <memory>
#include <vector>

#include "particles/objects3d/frame_hierarchy.h"
#include "scene/model/view_obj_ctrl.h"
#include "scene/resources/kv_filelink3.h"
#include "scene/resources/kv_imagefilelink.h"

class MeshNode;

class KV_3D_Obj_Ctrl : public KV_ViewObjCtrl {
public:
    KV_3D_Obj_Ctrl();
    KV_3D_Obj_Ctrl(const KV_3D_Obj_Ctrl& other);

    std::unique_ptr<KV_ABObj> CreateObject() const override;
    // Exactly the kind's mesh nodes, with their pictures and meshes bound.
    virtual void BuildMeshes(std::vector<MeshNode>& meshes) = 0;
    // Node 0 lists every instance root, node 1 every root's children.
    virtual void AttachInstances(const FrameHierarchyList& instances, std::vector<MeshNode>& meshes);
    virtual FrameHierarchy CreateInstance() = 0;
    virtual bool HasRectPlacement() const;
    virtual std::unique_ptr<KV_3D_Obj_Ctrl> Clone() const = 0;

    void WriteRecord(KV_IOF_Virtual& archive) const;
    void ReadRecord(KV_IOF_Virtual& archive);

    MediaParamT<unsigned int> instanceCount{1};
    MediaParamT<unsigned int> size{50};
    KV_ImageFileLink texture;
    KV_MeshFile mesh;
};
