// The GL side of a surface that lives in GL: its own renderbuffer, or a
// level of a render-target texture. Used on the device's thread only.
#pragma once

#include <d3d9.h>

#include "d3d9/gl_object.h"

namespace platform::d3d9 {

class TextureGl;

class SurfaceGl {
public:
    // A renderbuffer of desc's format and size, made by Allocate.
    explicit SurfaceGl(const D3DSURFACE_DESC& desc) : desc_(desc) {}
    SurfaceGl(const D3DSURFACE_DESC& desc, TextureGl& texture, UINT level)
        : desc_(desc), texture_(&texture), level_(level) {}

    void Allocate();
    // Attaches the storage to the framebuffer bound to target: colour
    // targets to GL_COLOR_ATTACHMENT0, depth with or without stencil.
    void AttachTo(GLenum target) const;
    // The context is gone: forget the name without deleting it.
    void Abandon() { renderbuffer_.Abandon(); }

private:
    D3DSURFACE_DESC desc_;
    TextureGl* texture_ = nullptr;
    UINT level_ = 0;
    GlObject renderbuffer_;
};

}  // namespace platform::d3d9
