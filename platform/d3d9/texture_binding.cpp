#include "d3d9/texture_binding.h"

#include "d3d9/buffer.h"
#include "d3d9/texture.h"

namespace platform::d3d9 {
namespace {

// Every base texture of the layer is a Texture (no cube or volume textures).
Texture& AsTexture(IDirect3DBaseTexture9* texture) { return *static_cast<Texture*>(texture); }

}  // namespace

GLuint TextureNameForSampling(IDirect3DBaseTexture9* texture) { return AsTexture(texture).NameForSampling(); }

const FormatInfo& SampledFormat(IDirect3DBaseTexture9* texture) { return AsTexture(texture).format(); }

const std::vector<BYTE>& BufferBytes(IDirect3DVertexBuffer9* buffer) {
    return static_cast<VertexBuffer*>(buffer)->bytes();
}

const std::vector<BYTE>& BufferBytes(IDirect3DIndexBuffer9* buffer) {
    return static_cast<IndexBuffer*>(buffer)->bytes();
}

GLuint BufferNameForDrawing(IDirect3DVertexBuffer9* buffer) {
    return static_cast<VertexBuffer*>(buffer)->NameForDrawing();
}

GLuint BufferNameForDrawing(IDirect3DIndexBuffer9* buffer) {
    return static_cast<IndexBuffer*>(buffer)->NameForDrawing();
}

}  // namespace platform::d3d9
