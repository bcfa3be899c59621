// An indexed PT quad with its own texture, drawn by the renderer after the
// quad has prepared itself (its own texture stage settings, for example).
#pragma once

#include "scene/render/kv_indexed_mesh.h"

class TexturedIndexedQuad : public KV_IndexedMesh {
public:
    // Called by the renderer before it sets its own states; nothing here.
    virtual void BeforeDraw() {}
    virtual ~TexturedIndexedQuad() = default;

    TextureHolder texture;
};
