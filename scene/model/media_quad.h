// Four 3D corners: 0 left-top, 1 left-bottom, 2 right-top, 3 right-bottom
// (top is the smaller y); corners 0 and 3 are opposite.
#pragma once

#include "scene/model/media_param.h"

#include <d3dx9math.h>

#include <array>

class KV_IOF_Virtual;

class MediaQuad : public MediaParam {
public:
    MediaQuad() = default;
    MediaQuad(const MediaQuad&) = default;

    // Twelve floats, corner by corner x, y, z, stored directly.
    void Read(KV_IOF_Virtual& archive);
    void Write(KV_IOF_Virtual& archive) const;

    // Stores the corners of a w x h rectangle around c, without notifying.
    void SetCentred(const D3DXVECTOR3& centre, float width, float height);
    // A random point of the rectangle spanned by corners 0 and 3 (y drawn first).
    D3DXVECTOR3 RandomPoint() const;

    std::array<MediaParamTB<D3DXVECTOR3>, 4> corners;
};
