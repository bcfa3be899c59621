// The matrices the 3D objects are built from; angles in degrees.
#pragma once

#include <d3dx9math.h>

#include "scene/model/random_functions.h"

constexpr float Radians(float degrees) { return degrees * kDegreesToRadians; }

inline D3DXMATRIX RotationX(float degrees)
{
    D3DXMATRIX m;
    return *D3DXMatrixRotationX(&m, Radians(degrees));
}

inline D3DXMATRIX RotationY(float degrees)
{
    D3DXMATRIX m;
    return *D3DXMatrixRotationY(&m, Radians(degrees));
}

inline D3DXMATRIX RotationZ(float degrees)
{
    D3DXMATRIX m;
    return *D3DXMatrixRotationZ(&m, Radians(degrees));
}

inline D3DXMATRIX Scaling(float x, float y, float z)
{
    D3DXMATRIX m;
    return *D3DXMatrixScaling(&m, x, y, z);
}

inline D3DXMATRIX Scaling(float s) { return Scaling(s, s, s); }

inline D3DXMATRIX Translation(float x, float y, float z)
{
    D3DXMATRIX m;
    return *D3DXMatrixTranslation(&m, x, y, z);
}
