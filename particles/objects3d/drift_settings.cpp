#include "particles/objects3d/drift_settings.h"

#include "particles/objects3d/transforms.h"

namespace {

// (1, 0) turned about z by the angle, then flipped into y-down pixels.
D3DXVECTOR4 Axis(unsigned int degrees)
{
    const D3DXMATRIX turn = RotationZ(static_cast<float>(degrees));
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
