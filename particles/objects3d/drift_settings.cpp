#include "particles/objects3d/drift_settings.h"

namespace {

// (1, 0) turned about z by the angle, then flipped into y-down pixels.
D3DXVECTOR4 Axis(unsigned int degrees)
{
    D3DXMATRIX turn;
    D3DXMatrixRotationZ(&turn, static_cast<float>(degrees) * 3.1415927f / 180.0f);
    const D3DXVECTOR4 x(1.0f, 0.0f, 0.0f, 0.0f);
    D3DXVECTOR4 axis;
    D3DXVec4Transform(&axis, &x, &turn);
    axis.y = -axis.y;
    return axis;
}

}  // namespace

void DriftSettings::SetDirection(int degrees)
{
    angle = degrees;
    direction = Axis(static_cast<unsigned int>(degrees));
    side = Axis(static_cast<unsigned int>(degrees + 90));
}
