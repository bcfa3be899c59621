// D3DX transform builders: translation, scaling, rotations, view and
// projection matrices, all for row vectors (v x M).
#include <d3dx9math.h>

#include <cmath>

D3DXMATRIX* WINAPI D3DXMatrixTranslation(D3DXMATRIX* pOut, FLOAT x, FLOAT y, FLOAT z)
{
    *pOut = D3DXMATRIX(1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, x, y, z, 1);
    return pOut;
}

D3DXMATRIX* WINAPI D3DXMatrixScaling(D3DXMATRIX* pOut, FLOAT sx, FLOAT sy, FLOAT sz)
{
    *pOut = D3DXMATRIX(sx, 0, 0, 0, 0, sy, 0, 0, 0, 0, sz, 0, 0, 0, 0, 1);
    return pOut;
}

D3DXMATRIX* WINAPI D3DXMatrixRotationX(D3DXMATRIX* pOut, FLOAT angle)
{
    const FLOAT c = std::cos(angle), s = std::sin(angle);
    *pOut = D3DXMATRIX(1, 0, 0, 0, 0, c, s, 0, 0, -s, c, 0, 0, 0, 0, 1);
    return pOut;
}

D3DXMATRIX* WINAPI D3DXMatrixRotationY(D3DXMATRIX* pOut, FLOAT angle)
{
    const FLOAT c = std::cos(angle), s = std::sin(angle);
    *pOut = D3DXMATRIX(c, 0, -s, 0, 0, 1, 0, 0, s, 0, c, 0, 0, 0, 0, 1);
    return pOut;
}

D3DXMATRIX* WINAPI D3DXMatrixRotationZ(D3DXMATRIX* pOut, FLOAT angle)
{
    const FLOAT c = std::cos(angle), s = std::sin(angle);
    *pOut = D3DXMATRIX(c, s, 0, 0, -s, c, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1);
    return pOut;
}

D3DXMATRIX* WINAPI D3DXMatrixRotationAxis(D3DXMATRIX* pOut, const D3DXVECTOR3* pV, FLOAT angle)
{
    D3DXVECTOR3 v;
    D3DXVec3Normalize(&v, pV);
    const FLOAT c = std::cos(angle), s = std::sin(angle), t = 1.0f - c;
    *pOut = D3DXMATRIX(t * v.x * v.x + c, t * v.x * v.y + s * v.z, t * v.x * v.z - s * v.y, 0,
                       t * v.x * v.y - s * v.z, t * v.y * v.y + c, t * v.y * v.z + s * v.x, 0,
                       t * v.x * v.z + s * v.y, t * v.y * v.z - s * v.x, t * v.z * v.z + c, 0,
                       0, 0, 0, 1);
    return pOut;
}

D3DXMATRIX* WINAPI D3DXMatrixLookAtLH(D3DXMATRIX* pOut, const D3DXVECTOR3* pEye, const D3DXVECTOR3* pAt,
                                      const D3DXVECTOR3* pUp)
{
    D3DXVECTOR3 zaxis = *pAt - *pEye;
    D3DXVec3Normalize(&zaxis, &zaxis);
    D3DXVECTOR3 xaxis;
    D3DXVec3Cross(&xaxis, pUp, &zaxis);
    D3DXVec3Normalize(&xaxis, &xaxis);
    D3DXVECTOR3 yaxis;
    D3DXVec3Cross(&yaxis, &zaxis, &xaxis);
    *pOut = D3DXMATRIX(xaxis.x, yaxis.x, zaxis.x, 0,
                       xaxis.y, yaxis.y, zaxis.y, 0,
                       xaxis.z, yaxis.z, zaxis.z, 0,
                       -D3DXVec3Dot(&xaxis, pEye), -D3DXVec3Dot(&yaxis, pEye), -D3DXVec3Dot(&zaxis, pEye), 1);
    return pOut;
}

D3DXMATRIX* WINAPI D3DXMatrixPerspectiveFovLH(D3DXMATRIX* pOut, FLOAT fovy, FLOAT aspect, FLOAT zn, FLOAT zf)
{
    const FLOAT yScale = 1.0f / std::tan(fovy / 2.0f);
    const FLOAT xScale = yScale / aspect;
    *pOut = D3DXMATRIX(xScale, 0, 0, 0,
                       0, yScale, 0, 0,
                       0, 0, zf / (zf - zn), 1,
                       0, 0, -zn * zf / (zf - zn), 0);
    return pOut;
}

D3DXMATRIX* WINAPI D3DXMatrixOrthoLH(D3DXMATRIX* pOut, FLOAT w, FLOAT h, FLOAT zn, FLOAT zf)
{
    *pOut = D3DXMATRIX(2.0f / w, 0, 0, 0,
                       0, 2.0f / h, 0, 0,
                       0, 0, 1.0f / (zf - zn), 0,
                       0, 0, zn / (zn - zf), 1);
    return pOut;
}

D3DXMATRIX* WINAPI D3DXMatrixOrthoOffCenterLH(D3DXMATRIX* pOut, FLOAT l, FLOAT r, FLOAT b, FLOAT t, FLOAT zn,
                                              FLOAT zf)
{
    *pOut = D3DXMATRIX(2.0f / (r - l), 0, 0, 0,
                       0, 2.0f / (t - b), 0, 0,
                       0, 0, 1.0f / (zf - zn), 0,
                       (l + r) / (l - r), (t + b) / (b - t), zn / (zn - zf), 1);
    return pOut;
}

D3DXMATRIX* WINAPI D3DXMatrixOrthoOffCenterRH(D3DXMATRIX* pOut, FLOAT l, FLOAT r, FLOAT b, FLOAT t, FLOAT zn,
                                              FLOAT zf)
{
    *pOut = D3DXMATRIX(2.0f / (r - l), 0, 0, 0,
                       0, 2.0f / (t - b), 0, 0,
                       0, 0, 1.0f / (zn - zf), 0,
                       (l + r) / (l - r), (t + b) / (b - t), zn / (zn - zf), 1);
    return pOut;
}
