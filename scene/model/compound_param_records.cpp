// Stored forms of the rectangle (six ints) and the quad (twelve floats),
// read directly into the values.
#include "scene/model/media_quad.h"
#include "scene/model/media_rectangle.h"

#include "scene/document/kv_iof_virtual.h"

void MediaRectangle::Read(KV_IOF_Virtual& archive)
{
    for (MediaParamTB<int>* value : Fields())
        archive.ReadInt(&value->Value());
}

void MediaRectangle::Write(KV_IOF_Virtual& archive) const
{
    for (const MediaParamTB<int>* value : Fields())
        archive.WriteInt(&value->Value());
}

void MediaQuad::Read(KV_IOF_Virtual& archive)
{
    for (MediaParamTB<D3DXVECTOR3>& corner : corners) {
        archive.ReadFloat(&corner.Value().x);
        archive.ReadFloat(&corner.Value().y);
        archive.ReadFloat(&corner.Value().z);
    }
}

void MediaQuad::Write(KV_IOF_Virtual& archive) const
{
    for (const MediaParamTB<D3DXVECTOR3>& corner : corners) {
        archive.WriteFloat(&corner.Value().x);
        archive.WriteFloat(&corner.Value().y);
        archive.WriteFloat(&corner.Value().z);
    }
}
