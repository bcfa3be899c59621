#include "particles/objects3d/frame_hierarchy.h"

#include "scene/render/kv_animation_base.h"

void FrameHierarchyDeleter::operator()(KV_Frame* root) const
{
    for (KV_Frame* child : root->children)
        (*this)(child);
    delete root;
}

std::unique_ptr<KV_Frame> MakeFrame(const D3DXMATRIX& local, std::unique_ptr<KV_AnimationBase> controller)
{
    auto frame = std::make_unique<KV_Frame>();
    frame->local = local;
    frame->controller = controller.release();
    return frame;
}
