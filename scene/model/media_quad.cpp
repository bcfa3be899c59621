#include "scene/model/media_quad.h"

#include "scene/model/random_functions.h"

void MediaQuad::SetCentred(const D3DXVECTOR3& c, float w, float h)
{
    corners[0].Value() = D3DXVECTOR3(c.x - w / 2, c.y - h / 2, c.z);
    corners[1].Value() = D3DXVECTOR3(c.x - w / 2, c.y + h / 2, c.z);
    corners[2].Value() = D3DXVECTOR3(c.x + w / 2, c.y - h / 2, c.z);
    corners[3].Value() = D3DXVECTOR3(c.x + w / 2, c.y + h / 2, c.z);
}

D3DXVECTOR3 MediaQuad::RandomPoint() const
{
    const D3DXVECTOR3& a = corners[0].Value();
    const D3DXVECTOR3& b = corners[3].Value();
    const float y = RandomFloat(a.y, b.y);
    const float x = RandomFloat(a.x, b.x);
    return D3DXVECTOR3(x, y, 0);
}
