// The runtime object of a mesh array: one mesh node whose instance frames
// are the copies, each moved by its own falling-leaf controller.
#pragma once

#include <list>
#include <memory>

#include "scene/model/abobj.h"
#include "scene/render/mesh_node.h"

class KV_3D_in_2D_array_Constructor;

class KV_3D_in_2D_array : public KV_ABObj {
public:
    explicit KV_3D_in_2D_array(std::unique_ptr<KV_3D_in_2D_array_Constructor> description);
    ~KV_3D_in_2D_array() override;

    void Render(KV_ABRender& renderer) override;
    void Signal(int, int) override {}
    void UpdateLayout() override {}
    void Update(float localTime) override;

    // The node's picture and mesh from the current resource cache.
    void BindResources();
    // As many copies as the description's count, once; later changes of
    // the count change nothing.
    void SyncInstanceCount();
    void AddInstance();

    const MeshNode& Node() const { return m_node; }

private:
    KV_3D_in_2D_array_Constructor& m_description;
    MeshNode m_node;
    // The frames m_node lists, owned here.
    std::list<std::unique_ptr<KV_Frame>> m_instances;
};
