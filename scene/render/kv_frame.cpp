#include "scene/render/kv_frame.h"

#include "scene/render/kv_animation_base.h"

KV_Frame::KV_Frame()
{
    D3DXMatrixIdentity(&world);
    D3DXMatrixIdentity(&local);
}

KV_Frame::~KV_Frame() { delete controller; }

void KV_Frame::UpdateTransforms(const D3DXMATRIX* parentWorld)
{
    if (controller)
        controller->Apply(*this);
    else
        world = local;
    if (parentWorld)
        world = world * *parentWorld;
    for (KV_Frame* child : children)
        child->UpdateTransforms(&world);
}
