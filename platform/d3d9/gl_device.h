// What a device's GL work runs on, on the thread that runs it: the
// context, the framebuffer the render targets are bound to, the
// fixed-function pipeline, and a copy of the states that draws read,
// kept by the commands the calling thread records as it sets its own.
#pragma once

#include <memory>

#include "d3d9/gl_context.h"
#include "d3d9/gl_object.h"
#include "d3d9/pipeline/pipeline.h"
#include "d3d9/state_block.h"
#include "d3d9/surface_gl.h"

namespace platform::d3d9 {

struct GlDevice {
    // The context is current.
    explicit GlDevice(GlContext& context);
    // Current, or the context gone (usable false) and every name forgotten.
    ~GlDevice();
    GlDevice(const GlDevice&) = delete;
    GlDevice& operator=(const GlDevice&) = delete;

    void BindRenderTargets();

    GlContext& context;
    bool usable = true;          // the context is current: GL may be called
    GlObject framebuffer;        // the render targets, always bound
    GlObject readFramebuffer;    // for reading surfaces back
    std::unique_ptr<pipeline::Pipeline> pipeline;
    StateBlock states;
    SurfaceGl* renderTarget = nullptr;
    SurfaceGl* depthStencil = nullptr;
};

}  // namespace platform::d3d9
