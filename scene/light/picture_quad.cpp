#include "scene/light/picture_quad.h"

#include "scene/resources/kv_docresmanager.h"
#include "scene/resources/kv_imagefilelink.h"

void PictureQuad::SetPicture(const KV_ImageFileLink& link)
{
    if (g_currentDocResManager)
        SetPicture(g_currentDocResManager->GetImage(link).GetFirstFrame());
}

void PictureQuad::SetPicture(const TextureRecord& record)
{
    picture = record;
    texture.Share(record.Texture());
    const float w = static_cast<float>(record.width);
    const float h = static_cast<float>(record.height);
    ScreenQuad corners;
    corners.corners = {{{0, h, 0, 0, 1}, {0, 0, 0, 0, 0}, {w, h, 0, 1, 1}, {w, 0, 0, 1, 0}}};
    WriteQuadPT(corners);
}
