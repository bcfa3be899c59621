#include "particles/objects3d/kv_clock_constructor.h"

#include "particles/objects3d/ac_clock_arrow.h"
#include "particles/objects3d/ac_static.h"
#include "particles/objects3d/default_resources.h"
#include "particles/objects3d/transforms.h"
#include "scene/model/fun_light_ctrl.h"
#include "scene/render/current_device.h"
#include "scene/model/picture_placement.h"
#include "scene/render/mesh_node.h"
#include "scene/render/view_context.h"

namespace {

constexpr unsigned int kClockSize = 400;

// The back buffer of the current device; 0 x 0 without one.
SIZE BackBufferSize()
{
    SIZE size{0, 0};
    IDirect3DSurface9* backBuffer = nullptr;
    if (!g_currentDevice || FAILED(g_currentDevice->GetBackBuffer(0, 0, D3DBACKBUFFER_TYPE_MONO, &backBuffer)))
        return size;
    D3DSURFACE_DESC desc{};
    if (SUCCEEDED(backBuffer->GetDesc(&desc)))
        size = {static_cast<LONG>(desc.Width), static_cast<LONG>(desc.Height)};
    backBuffer->Release();
    return size;
}

}  // namespace

KV_ClockConstructor::KV_ClockConstructor() : handsTexture(DefaultResource(kClockHandPicture))
{
    const SIZE screen = BackBufferSize();
    placement.extra1.Value() = screen.cx / 2;
    placement.extra2.Value() = screen.cy / 2;
    mesh.SetKey(DefaultResource(kClockMesh).Key());
    texture.SetKey(DefaultResource(kClockDialPicture).Key());
    size.Value() = kClockSize;
    BindDialObserver();
}

KV_ClockConstructor::KV_ClockConstructor(const KV_ClockConstructor& other)
    : KV_3D_Obj_Ctrl(other), placement(other.placement), handsTexture(other.handsTexture)
{
    BindDialObserver();
}

KV_ClockConstructor::~KV_ClockConstructor() = default;

void KV_ClockConstructor::BindDialObserver()
{
    m_bindings.SetOwner(this);
    KV_FunLightCtrl2<KV_ClockConstructor>::Bind(m_bindings, &KV_ClockConstructor::OnDialImageChanged, texture);
}

std::unique_ptr<KV_3D_Obj_Ctrl> KV_ClockConstructor::Clone() const
{
    return std::make_unique<KV_ClockConstructor>(*this);
}

ScreenQuad KV_ClockConstructor::GetScreenQuad() const
{
    ScreenQuad quad;
    const float left = static_cast<float>(placement.left.Value());
    const float right = static_cast<float>(placement.right.Value());
    const float top = static_cast<float>(placement.top.Value());
    const float bottom = static_cast<float>(placement.bottom.Value());
    const float corners[4][2] = {{left, bottom}, {left, top}, {right, bottom}, {right, top}};
    for (int i = 0; i < 4; ++i) {
        quad.corners[i].x = corners[i][0];
        quad.corners[i].y = corners[i][1];
    }
    return quad;
}

bool KV_ClockConstructor::HitTest(float x, float y) const
{
    const D3DXVECTOR3 scene = MapScreenToScene(
        *g_picturePlacement, D3DXVECTOR3(x * g_picturePlacement->scaleX, y * g_picturePlacement->scaleY, 0.0f));
    return placement.ContainsPoint(scene.x, scene.y);
}

bool KV_ClockConstructor::HasRectPlacement() const { return true; }

void KV_ClockConstructor::BuildMeshes(std::vector<MeshNode>& meshes)
{
    meshes.resize(2);
    meshes[0].BindResources(texture, mesh);
    meshes[1].BindResources(handsTexture, mesh);
    meshes[0].flag = 1;
    meshes[1].flag = 1;
    m_meshes = &meshes;
}

void KV_ClockConstructor::OnDialImageChanged()
{
    if (m_meshes && !m_meshes->empty())
        (*m_meshes)[0].BindResources(texture, mesh);
}

FrameHierarchy KV_ClockConstructor::CreateInstance()
{
    FrameHierarchy dial(
        MakeFrame(Scaling(0.01f) * RotationX(90.0f), std::make_unique<AC_Static>(*this)).release());
    dial->children.push_back(MakeFrame(Scaling(0.01f, 1.0f, 0.3f) * Translation(0.0f, 0.0f, 10.0f),
                                       std::make_unique<AC_ClockArrow>(true))
                                 .release());
    dial->children.push_back(MakeFrame(Scaling(0.01f, 1.0f, 0.38f) * Translation(0.0f, 0.0f, 13.0f),
                                       std::make_unique<AC_ClockArrow>(false))
                                 .release());
    return dial;
}
