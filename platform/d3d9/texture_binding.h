// What drawing needs of a texture set on a stage, on the device's thread:
// the GL side of the layer's textures implements it.
#pragma once

#include <epoxy/gl.h>

#include <d3d9.h>

namespace platform::d3d9 {

class TextureBinding {
public:
    // The GL_TEXTURE_2D holding the contents of every level as uploaded,
    // its rows top first, sampling as Direct3D samples the format.
    virtual GLuint GlTexture() = 0;
    // Whether sampling can return components below 0 (the bump formats).
    virtual bool SignedTexels() const = 0;

protected:
    ~TextureBinding() = default;
};

}  // namespace platform::d3d9
