// D3DXMATRIX arithmetic, product, inverse and transpose.
#include <d3dx9math.h>

D3DXMATRIX::D3DXMATRIX(FLOAT f11, FLOAT f12, FLOAT f13, FLOAT f14,
                       FLOAT f21, FLOAT f22, FLOAT f23, FLOAT f24,
                       FLOAT f31, FLOAT f32, FLOAT f33, FLOAT f34,
                       FLOAT f41, FLOAT f42, FLOAT f43, FLOAT f44)
{
    _11 = f11; _12 = f12; _13 = f13; _14 = f14;
    _21 = f21; _22 = f22; _23 = f23; _24 = f24;
    _31 = f31; _32 = f32; _33 = f33; _34 = f34;
    _41 = f41; _42 = f42; _43 = f43; _44 = f44;
}

namespace {

template <typename Op>
D3DXMATRIX elementwise(const D3DXMATRIX& a, const D3DXMATRIX& b, Op op)
{
    D3DXMATRIX out;
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 4; ++c)
            out.m[r][c] = op(a.m[r][c], b.m[r][c]);
    return out;
}

D3DXMATRIX scaled(const D3DXMATRIX& a, FLOAT f)
{
    D3DXMATRIX out;
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 4; ++c)
            out.m[r][c] = a.m[r][c] * f;
    return out;
}

} // namespace

D3DXMATRIX D3DXMATRIX::operator*(const D3DXMATRIX& mat) const
{
    D3DXMATRIX out;
    D3DXMatrixMultiply(&out, this, &mat);
    return out;
}

D3DXMATRIX D3DXMATRIX::operator+(const D3DXMATRIX& mat) const
{
    return elementwise(*this, mat, [](FLOAT a, FLOAT b) { return a + b; });
}

D3DXMATRIX D3DXMATRIX::operator-(const D3DXMATRIX& mat) const
{
    return elementwise(*this, mat, [](FLOAT a, FLOAT b) { return a - b; });
}

D3DXMATRIX D3DXMATRIX::operator-() const { return scaled(*this, -1.0f); }
D3DXMATRIX D3DXMATRIX::operator*(FLOAT f) const { return scaled(*this, f); }
D3DXMATRIX D3DXMATRIX::operator/(FLOAT f) const { return scaled(*this, 1.0f / f); }

D3DXMATRIX& D3DXMATRIX::operator*=(const D3DXMATRIX& mat) { return *this = *this * mat; }
D3DXMATRIX& D3DXMATRIX::operator+=(const D3DXMATRIX& mat) { return *this = *this + mat; }
D3DXMATRIX& D3DXMATRIX::operator-=(const D3DXMATRIX& mat) { return *this = *this - mat; }
D3DXMATRIX& D3DXMATRIX::operator*=(FLOAT f) { return *this = *this * f; }
D3DXMATRIX& D3DXMATRIX::operator/=(FLOAT f) { return *this = *this / f; }

bool D3DXMATRIX::operator==(const D3DXMATRIX& mat) const
{
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 4; ++c)
            if (m[r][c] != mat.m[r][c])
                return false;
    return true;
}

D3DXMATRIX* WINAPI D3DXMatrixIdentity(D3DXMATRIX* pOut)
{
    *pOut = D3DXMATRIX(1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1);
    return pOut;
}

D3DXMATRIX* WINAPI D3DXMatrixMultiply(D3DXMATRIX* pOut, const D3DXMATRIX* pM1, const D3DXMATRIX* pM2)
{
    // pOut may alias either operand.
    D3DXMATRIX out;
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 4; ++c)
            out.m[r][c] = pM1->m[r][0] * pM2->m[0][c] + pM1->m[r][1] * pM2->m[1][c] +
                          pM1->m[r][2] * pM2->m[2][c] + pM1->m[r][3] * pM2->m[3][c];
    *pOut = out;
    return pOut;
}

D3DXMATRIX* WINAPI D3DXMatrixTranspose(D3DXMATRIX* pOut, const D3DXMATRIX* pM)
{
    D3DXMATRIX out;
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 4; ++c)
            out.m[r][c] = pM->m[c][r];
    *pOut = out;
    return pOut;
}

D3DXMATRIX* WINAPI D3DXMatrixInverse(D3DXMATRIX* pOut, FLOAT* pDeterminant, const D3DXMATRIX* pM)
{
    // Adjugate over determinant, with the 2x2 minors of the top and bottom
    // row pairs shared between the cofactors. Double intermediates keep
    // the result exact to float precision.
    double a[4][4];
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 4; ++c)
            a[r][c] = pM->m[r][c];

    const double s0 = a[0][0] * a[1][1] - a[1][0] * a[0][1];
    const double s1 = a[0][0] * a[1][2] - a[1][0] * a[0][2];
    const double s2 = a[0][0] * a[1][3] - a[1][0] * a[0][3];
    const double s3 = a[0][1] * a[1][2] - a[1][1] * a[0][2];
    const double s4 = a[0][1] * a[1][3] - a[1][1] * a[0][3];
    const double s5 = a[0][2] * a[1][3] - a[1][2] * a[0][3];
    const double c5 = a[2][2] * a[3][3] - a[3][2] * a[2][3];
    const double c4 = a[2][1] * a[3][3] - a[3][1] * a[2][3];
    const double c3 = a[2][1] * a[3][2] - a[3][1] * a[2][2];
    const double c2 = a[2][0] * a[3][3] - a[3][0] * a[2][3];
    const double c1 = a[2][0] * a[3][2] - a[3][0] * a[2][2];
    const double c0 = a[2][0] * a[3][1] - a[3][0] * a[2][1];

    const double det = s0 * c5 - s1 * c4 + s2 * c3 + s3 * c2 - s4 * c1 + s5 * c0;
    if (pDeterminant)
        *pDeterminant = static_cast<FLOAT>(det);
    if (det == 0.0)
        return nullptr;
    const double k = 1.0 / det;

    const double inv[4][4] = {
        {(a[1][1] * c5 - a[1][2] * c4 + a[1][3] * c3) * k, (-a[0][1] * c5 + a[0][2] * c4 - a[0][3] * c3) * k,
         (a[3][1] * s5 - a[3][2] * s4 + a[3][3] * s3) * k, (-a[2][1] * s5 + a[2][2] * s4 - a[2][3] * s3) * k},
        {(-a[1][0] * c5 + a[1][2] * c2 - a[1][3] * c1) * k, (a[0][0] * c5 - a[0][2] * c2 + a[0][3] * c1) * k,
         (-a[3][0] * s5 + a[3][2] * s2 - a[3][3] * s1) * k, (a[2][0] * s5 - a[2][2] * s2 + a[2][3] * s1) * k},
        {(a[1][0] * c4 - a[1][1] * c2 + a[1][3] * c0) * k, (-a[0][0] * c4 + a[0][1] * c2 - a[0][3] * c0) * k,
         (a[3][0] * s4 - a[3][1] * s2 + a[3][3] * s0) * k, (-a[2][0] * s4 + a[2][1] * s2 - a[2][3] * s0) * k},
        {(-a[1][0] * c3 + a[1][1] * c1 - a[1][2] * c0) * k, (a[0][0] * c3 - a[0][1] * c1 + a[0][2] * c0) * k,
         (-a[3][0] * s3 + a[3][1] * s1 - a[3][2] * s0) * k, (a[2][0] * s3 - a[2][1] * s1 + a[2][2] * s0) * k},
    };
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 4; ++c)
            pOut->m[r][c] = static_cast<FLOAT>(inv[r][c]);
    return pOut;
}
