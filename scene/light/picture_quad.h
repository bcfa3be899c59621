// The slide's picture as a strip of its own size in picture pixels, with
// the picture's texture record.
#pragma once

#include "scene/render/textured_quad.h"
#include "scene/resources/texture_record.h"

class KV_ImageFileLink;

class PictureQuad : public TexturedQuad {
public:
    // The linked picture from the current document resource manager.
    void SetPicture(const KV_ImageFileLink& link);
    // Takes the record's texture and spans (0, 0) to its size.
    void SetPicture(const TextureRecord& record);

    TextureRecord picture;
};
