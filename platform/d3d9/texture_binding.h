// What the pipeline needs of the resources the application set: the GL
// texture to sample, with the format it samples as, and the bytes and GL
// buffers of vertex and index buffers. The device's context must be
// current for the GL calls.
#pragma once

#include <vector>

#include <epoxy/gl.h>

#include <d3d9.h>

#include "d3d9/format_table.h"

namespace platform::d3d9 {

// Uploads the texture's CPU copy if it changed since the last call and
// leaves the texture bound to GL_TEXTURE_2D of the active unit; its
// swizzle already gives Direct3D's sampled values (see format_table.h).
GLuint TextureNameForSampling(IDirect3DBaseTexture9* texture);
const FormatInfo& SampledFormat(IDirect3DBaseTexture9* texture);

// The bytes a draw may read (UP paths, bounds checks).
const std::vector<BYTE>& BufferBytes(IDirect3DVertexBuffer9* buffer);
const std::vector<BYTE>& BufferBytes(IDirect3DIndexBuffer9* buffer);
// The GL buffer with the current bytes, uploaded through
// GL_COPY_WRITE_BUFFER (array and element bindings stay as they are).
GLuint BufferNameForDrawing(IDirect3DVertexBuffer9* buffer);
GLuint BufferNameForDrawing(IDirect3DIndexBuffer9* buffer);

}  // namespace platform::d3d9
