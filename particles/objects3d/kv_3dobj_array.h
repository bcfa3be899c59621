// The runtime object of a 3D object: its instance hierarchies, updated by
// their controllers, and the mesh nodes that draw them.
#pragma once

#include <memory>
#include <vector>

#include "particles/objects3d/frame_hierarchy.h"
#include "scene/model/abobj.h"
#include "scene/model/bound_control_list.h"
#include "scene/render/mesh_node.h"

class KV_3D_Obj_Ctrl;

class KV_3DObjArray : public KV_ABObj {
public:
    // Takes the clone: builds its mesh nodes and as many instances as its
    // count asks for.
    explicit KV_3DObjArray(std::unique_ptr<KV_3D_Obj_Ctrl> description);
    ~KV_3DObjArray() override;

    void Render(KV_ABRender& renderer) override;
    void Signal(int, int) override {}
    void UpdateLayout() override {}
    bool HitTest(POINT point) const override;
    void Update(float localTime) override;

    // The oldest instances go first; at most kMaxInstances are built.
    void OnCountChanged(unsigned int count);

    const FrameHierarchyList& Instances() const { return m_instances; }
    const std::vector<MeshNode>& Meshes() const { return m_meshes; }

private:
    KV_3D_Obj_Ctrl& m_description;
    // Declared so that the instances go first, then the count binding,
    // then the nodes; the description copy is let go last.
    std::vector<MeshNode> m_meshes;
    BoundControlList m_bindings;
    FrameHierarchyList m_instances;
};
