#include "particles/objects3d/ac_static.h"

#include "particles/objects3d/kv_clock_constructor.h"
#include "particles/objects3d/transforms.h"
#include "scene/model/fun_light_ctrl.h"

namespace {

D3DXMATRIX AtCentre(const MediaRectangle& placement)
{
    return Translation(static_cast<float>(placement.extra1.Value()), static_cast<float>(placement.extra2.Value()),
                       0.0f);
}

}  // namespace

AC_Static::AC_Static(KV_ClockConstructor& owner) : description(owner), translation(AtCentre(owner.placement))
{
    D3DXMatrixIdentity(&size);
    m_bindings.SetOwner(this);
    KV_FunLightCtrl<unsigned int, AC_Static>::Create(m_bindings, &AC_Static::OnSizeChanged, description.size);
    KV_FunLightCtrl2<AC_Static>::Bind(m_bindings, &AC_Static::OnRectangleChanged, description.placement);
}

AC_Static::~AC_Static() = default;

void AC_Static::Apply(KV_Frame& frame) { frame.world = size * frame.local * translation; }

void AC_Static::OnSizeChanged(unsigned int value)
{
    PlaceEdges(value);
    size = Scaling(static_cast<float>(value));
}

void AC_Static::OnRectangleChanged()
{
    PlaceEdges(description.size.Value());
    translation = AtCentre(description.placement);
}

void AC_Static::PlaceEdges(unsigned int value)
{
    MediaRectangle& r = description.placement;
    const int cx = r.extra1.Value(), cy = r.extra2.Value();
    const int half = static_cast<int>(value / 2);
    r.left.SetValue(cx - half);
    r.right.SetValue(cx + half);
    r.top.SetValue(cy - half);
    r.bottom.SetValue(cy + half);
}
