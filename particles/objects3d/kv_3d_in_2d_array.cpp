#include "particles/objects3d/kv_3d_in_2d_array.h"

#include <algorithm>

#include "particles/objects3d/frame_hierarchy.h"
#include "particles/objects3d/kv_3d_in_2d_array_constructor.h"
#include "particles/objects3d/leaf_fall_anim.h"
#include "particles/objects3d/transforms.h"
#include "scene/light/kv_abrender.h"
#include "scene/resources/kv_docresmanager.h"

namespace {

constexpr UINT kMeshVertexSize = sizeof(DX_V::PNT);

}  // namespace

KV_3D_in_2D_array::KV_3D_in_2D_array(std::unique_ptr<KV_3D_in_2D_array_Constructor> description)
    : KV_ABObj(std::unique_ptr<KV_ABObj_Constructor>(description.get())), m_description(*description.release())
{
    m_description.runtimeObject = this;
    BindResources();
    SyncInstanceCount();
}

KV_3D_in_2D_array::~KV_3D_in_2D_array() = default;

void KV_3D_in_2D_array::BindResources()
{
    if (!g_currentDocResManager)
        return;
    ResourceCache& cache = g_currentDocResManager->Cache();
    m_node.texture.Share(cache.GetTexture(m_description.texture).Texture());
    m_node.TakeMesh(cache.GetMesh(m_description.mesh, kMeshVertexSize));
}

void KV_3D_in_2D_array::SyncInstanceCount()
{
    const std::size_t n = std::min(m_description.instanceCount.Value(), kMaxInstances);
    while (m_instances.size() < n)
        AddInstance();
    while (m_instances.size() > n) {
        m_node.instances.remove(m_instances.front().get());
        m_instances.pop_front();
    }
}

void KV_3D_in_2D_array::AddInstance()
{
    const float* c = m_node.boundingCentre;
    auto frame = MakeFrame(Translation(-c[0], -c[1], -c[2]), std::make_unique<KV_LeafFallAnim>(m_description.drift));
    frame->boundingRadius = m_node.boundingRadius;
    std::copy(c, c + 3, frame->boundingCentre);
    m_node.instances.push_back(frame.get());
    m_instances.push_back(std::move(frame));
}

void KV_3D_in_2D_array::Update(float localTime)
{
    g_meshArrayTime = localTime;
    m_node.world = m_node.local;
    for (const auto& frame : m_instances)
        frame->UpdateTransforms(&m_node.world);
}

void KV_3D_in_2D_array::Render(KV_ABRender& renderer) { renderer.DrawMeshPartsTwoPass(m_node); }
