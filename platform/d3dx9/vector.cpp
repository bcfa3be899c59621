// D3DX vector helpers and vector-by-matrix transforms.
#include <d3dx9math.h>

#include <cmath>

D3DXVECTOR3* WINAPI D3DXVec3TransformCoord(D3DXVECTOR3* pOut, const D3DXVECTOR3* pV, const D3DXMATRIX* pM)
{
    const D3DXVECTOR4 in(pV->x, pV->y, pV->z, 1.0f);
    D3DXVECTOR4 out;
    D3DXVec4Transform(&out, &in, pM);
    *pOut = D3DXVECTOR3(out.x / out.w, out.y / out.w, out.z / out.w);
    return pOut;
}

D3DXVECTOR3* WINAPI D3DXVec3TransformNormal(D3DXVECTOR3* pOut, const D3DXVECTOR3* pV, const D3DXMATRIX* pM)
{
    const D3DXVECTOR4 in(pV->x, pV->y, pV->z, 0.0f);
    D3DXVECTOR4 out;
    D3DXVec4Transform(&out, &in, pM);
    *pOut = D3DXVECTOR3(out.x, out.y, out.z);
    return pOut;
}

D3DXVECTOR4* WINAPI D3DXVec4Transform(D3DXVECTOR4* pOut, const D3DXVECTOR4* pV, const D3DXMATRIX* pM)
{
    const D3DXVECTOR4 v = *pV; // pOut may alias pV.
    const auto& m = pM->m;
    *pOut = D3DXVECTOR4(v.x * m[0][0] + v.y * m[1][0] + v.z * m[2][0] + v.w * m[3][0],
                        v.x * m[0][1] + v.y * m[1][1] + v.z * m[2][1] + v.w * m[3][1],
                        v.x * m[0][2] + v.y * m[1][2] + v.z * m[2][2] + v.w * m[3][2],
                        v.x * m[0][3] + v.y * m[1][3] + v.z * m[2][3] + v.w * m[3][3]);
    return pOut;
}

FLOAT WINAPI D3DXVec3Length(const D3DXVECTOR3* pV)
{
    return std::sqrt(D3DXVec3Dot(pV, pV));
}

FLOAT WINAPI D3DXVec3Dot(const D3DXVECTOR3* pV1, const D3DXVECTOR3* pV2)
{
    return pV1->x * pV2->x + pV1->y * pV2->y + pV1->z * pV2->z;
}

D3DXVECTOR3* WINAPI D3DXVec3Cross(D3DXVECTOR3* pOut, const D3DXVECTOR3* pV1, const D3DXVECTOR3* pV2)
{
    const D3DXVECTOR3 a = *pV1, b = *pV2;
    *pOut = D3DXVECTOR3(a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x);
    return pOut;
}

D3DXVECTOR3* WINAPI D3DXVec3Lerp(D3DXVECTOR3* pOut, const D3DXVECTOR3* pV1, const D3DXVECTOR3* pV2, FLOAT s)
{
    *pOut = *pV1 + (*pV2 - *pV1) * s;
    return pOut;
}

D3DXVECTOR3* WINAPI D3DXVec3Normalize(D3DXVECTOR3* pOut, const D3DXVECTOR3* pV)
{
    const FLOAT length = D3DXVec3Length(pV);
    *pOut = length == 0.0f ? D3DXVECTOR3(0, 0, 0) : *pV / length;
    return pOut;
}
