#include "scene/model/random_functions.h"

#include "scene/model/crt_random.h"

float RandomFloat(float a, float b)
{
    const double u = kv_rand() / static_cast<double>(KV_RAND_MAX);
    return static_cast<float>(a + u * (static_cast<double>(b) - a));
}

D3DXVECTOR3 RandomConeDirection(float length)
{
    D3DXMATRIX rotation;
    D3DXVECTOR3 v(length, 0, 0);
    D3DXMatrixRotationZ(&rotation, RandomFloat(0, 360) * kDegreesToRadians);
    D3DXVec3TransformCoord(&v, &v, &rotation);
    D3DXMatrixRotationY(&rotation, RandomFloat(0, 360) * kDegreesToRadians);
    D3DXVec3TransformCoord(&v, &v, &rotation);
    return v;
}
