// A root frame that owns its whole hierarchy: frames and their controllers.
#pragma once

#include <list>
#include <memory>

#include "scene/render/kv_frame.h"

struct FrameHierarchyDeleter {
    void operator()(KV_Frame* root) const;
};

using FrameHierarchy = std::unique_ptr<KV_Frame, FrameHierarchyDeleter>;
using FrameHierarchyList = std::list<FrameHierarchy>;

// A new frame with a local matrix and a controller it owns.
std::unique_ptr<KV_Frame> MakeFrame(const D3DXMATRIX& local, std::unique_ptr<KV_AnimationBase> controller);

// Instance counts of stored documents never build more instances than this.
constexpr unsigned int kMaxInstances = 1024;
