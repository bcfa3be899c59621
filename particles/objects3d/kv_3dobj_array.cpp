#include "particles/objects3d/kv_3dobj_array.h"

#include <algorithm>

#include "particles/objects3d/kv_3d_obj_ctrl.h"
#include "scene/light/kv_abrender.h"
#include "scene/model/fun_light_ctrl.h"

KV_3DObjArray::KV_3DObjArray(std::unique_ptr<KV_3D_Obj_Ctrl> description)
    : KV_ABObj(std::unique_ptr<KV_ABObj_Constructor>(description.get())), m_description(*description.release())
{
    m_description.BuildMeshes(m_meshes);
    m_bindings.SetOwner(this);
    KV_FunLightCtrl<unsigned int, KV_3DObjArray>::Create(m_bindings, &KV_3DObjArray::OnCountChanged,
                                                         m_description.instanceCount);
}

KV_3DObjArray::~KV_3DObjArray() = default;

void KV_3DObjArray::OnCountChanged(unsigned int count)
{
    const std::size_t n = std::min(count, kMaxInstances);
    while (m_instances.size() < n)
        m_instances.push_back(m_description.CreateInstance());
    while (m_instances.size() > n)
        m_instances.pop_front();
    m_description.AttachInstances(m_instances, m_meshes);
}

void KV_3DObjArray::Update(float localTime)
{
    m_description.AdvanceClock(localTime);
    for (const FrameHierarchy& root : m_instances)
        root->UpdateTransforms(nullptr);
}

void KV_3DObjArray::Render(KV_ABRender& renderer)
{
    for (const MeshNode& node : m_meshes)
        renderer.DrawMeshParts(node);
}

bool KV_3DObjArray::HitTest(POINT point) const
{
    return m_description.HitTest(static_cast<float>(point.x), static_cast<float>(point.y));
}
