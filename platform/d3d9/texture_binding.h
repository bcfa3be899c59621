// What drawing needs of a texture set on a stage. The layer's textures
// implement it next to their Direct3D interface; the pipeline finds it on
// the pointer SetTexture is given.
#pragma once

#include <epoxy/gl.h>

#include <d3d9.h>

namespace platform::d3d9 {

class TextureBinding {
public:
    // The GL_TEXTURE_2D holding the current contents of every level (what
    // changed on the CPU since the last call is uploaded first), its rows
    // top first, sampling as Direct3D samples the format.
    virtual GLuint GlTexture() = 0;
    // Whether sampling can return components below 0 (the bump formats).
    virtual bool SignedTexels() const = 0;

protected:
    ~TextureBinding() = default;
};

inline TextureBinding* AsTextureBinding(IDirect3DBaseTexture9* texture) {
    return dynamic_cast<TextureBinding*>(texture);
}

}  // namespace platform::d3d9
