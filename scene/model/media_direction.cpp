#include "scene/model/media_direction.h"

#include "scene/model/random_functions.h"

MediaDirection::MediaDirection()
{
    UpdateAxes();
}

MediaDirection::MediaDirection(const MediaDirection& other) : MediaParamT<unsigned int>(other)
{
    UpdateAxes();
}

void MediaDirection::UpdateAxes()
{
    D3DXMATRIX rotation;
    D3DXMatrixRotationZ(&rotation, static_cast<float>(Value()) * kDegreesToRadians);
    const D3DXVECTOR4 unitX(1, 0, 0, 0), unitY(0, 1, 0, 0);
    D3DXVec4Transform(&m_axisX, &unitX, &rotation);
    D3DXVec4Transform(&m_axisY, &unitY, &rotation);
}

D3DXVECTOR3 MediaSector::RandomDirection() const
{
    const float s = static_cast<float>(spread.Value());
    const float d = static_cast<float>(Value());
    const float angle = RandomFloat(-s, s) + d;
    D3DXMATRIX rotation;
    D3DXMatrixRotationZ(&rotation, (360.0f - angle) * kDegreesToRadians);
    D3DXVECTOR3 v(1, 0, 0);
    D3DXVec3TransformCoord(&v, &v, &rotation);
    return v;
}
