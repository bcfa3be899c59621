#include <d3dx9math.h>

#include <gtest/gtest.h>

namespace {

constexpr float kTolerance = 1e-5f;

void ExpectVector(const D3DXVECTOR3& actual, float x, float y, float z)
{
    EXPECT_NEAR(actual.x, x, kTolerance);
    EXPECT_NEAR(actual.y, y, kTolerance);
    EXPECT_NEAR(actual.z, z, kTolerance);
}

void ExpectMatrix(const D3DXMATRIX& actual, const D3DXMATRIX& expected)
{
    for (UINT r = 0; r < 4; ++r)
        for (UINT c = 0; c < 4; ++c)
            EXPECT_NEAR(actual(r, c), expected(r, c), kTolerance) << "element " << r + 1 << c + 1;
}

D3DXVECTOR3 Coord(const D3DXVECTOR3& v, const D3DXMATRIX& m)
{
    D3DXVECTOR3 out;
    D3DXVec3TransformCoord(&out, &v, &m);
    return out;
}

D3DXMATRIX Identity()
{
    D3DXMATRIX m;
    D3DXMatrixIdentity(&m);
    return m;
}

TEST(D3DXMatrix, ProductAppliesLeftOperandFirst)
{
    D3DXMATRIX t, s;
    D3DXMatrixTranslation(&t, 1, 2, 3);
    D3DXMatrixScaling(&s, 2, 3, 4);
    ExpectVector(Coord({1, 1, 1}, t * s), 4, 9, 16);
    ExpectVector(Coord({1, 1, 1}, s * t), 3, 5, 7);

    D3DXMATRIX aliased = t;
    D3DXMatrixMultiply(&aliased, &aliased, &s);
    ExpectMatrix(aliased, t * s);
}

TEST(D3DXMatrix, InverseOfGeneralMatrixGivesIdentityAndDeterminant)
{
    const D3DXMATRIX m(4, 7, 2, 3,
                       0, 5, 0, 1,
                       1, 0, 3, 0,
                       2, 1, 0, 6);
    D3DXMATRIX inv;
    float det = 0;
    ASSERT_EQ(D3DXMatrixInverse(&inv, &det, &m), &inv);
    // Laplace expansion along the second row: 5 * 42 + 1 * 32.
    EXPECT_NEAR(det, 242.0f, 1e-3f);
    ExpectMatrix(m * inv, Identity());
    ExpectMatrix(inv * m, Identity());
}

TEST(D3DXMatrix, InverseOfSingularMatrixFailsAndKeepsOutput)
{
    const D3DXMATRIX singular(1, 2, 3, 4, 2, 4, 6, 8, 0, 1, 0, 0, 0, 0, 1, 0);
    D3DXMATRIX out = Identity();
    float det = 1;
    EXPECT_EQ(D3DXMatrixInverse(&out, &det, &singular), nullptr);
    EXPECT_EQ(det, 0.0f);
    ExpectMatrix(out, Identity());
}

TEST(D3DXMatrix, Transpose)
{
    const D3DXMATRIX m(1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16);
    D3DXMATRIX t;
    D3DXMatrixTranspose(&t, &m);
    EXPECT_EQ(t, D3DXMATRIX(1, 5, 9, 13, 2, 6, 10, 14, 3, 7, 11, 15, 4, 8, 12, 16));
}

TEST(D3DXMatrix, RotationsTurnAxesAsDirect3DDoes)
{
    const float quarter = D3DX_PI / 2;
    D3DXMATRIX x, y, z, axis;
    D3DXMatrixRotationX(&x, quarter);
    D3DXMatrixRotationY(&y, quarter);
    D3DXMatrixRotationZ(&z, quarter);
    ExpectVector(Coord({0, 1, 0}, x), 0, 0, 1);
    ExpectVector(Coord({0, 0, 1}, y), 1, 0, 0);
    ExpectVector(Coord({1, 0, 0}, z), 0, 1, 0);

    const D3DXVECTOR3 unnormalisedZ(0, 0, 5);
    D3DXMatrixRotationAxis(&axis, &unnormalisedZ, 0.7f);
    D3DXMatrixRotationZ(&z, 0.7f);
    ExpectMatrix(axis, z);

    const D3DXVECTOR3 diagonal(1, 1, 1);
    D3DXMatrixRotationAxis(&axis, &diagonal, 2 * D3DX_PI / 3);
    ExpectVector(Coord({1, 0, 0}, axis), 0, 1, 0);
}

TEST(D3DXMatrix, LookAtFromInFrontOfOriginIsATranslation)
{
    const D3DXVECTOR3 eye(0, 0, -1), at(0, 0, 0), up(0, 1, 0);
    D3DXMATRIX view, expected;
    D3DXMatrixLookAtLH(&view, &eye, &at, &up);
    ExpectMatrix(view, *D3DXMatrixTranslation(&expected, 0, 0, 1));

    const D3DXVECTOR3 sideEye(5, 0, 0);
    D3DXMatrixLookAtLH(&view, &sideEye, &at, &up);
    ExpectVector(Coord({0, 0, 0}, view), 0, 0, 5);
    ExpectVector(Coord({0, 0, -1}, view), -1, 0, 5);
}

TEST(D3DXMatrix, OrthoOffCenterMapsPicturePixelsToClipSpace)
{
    D3DXMATRIX ortho;
    D3DXMatrixOrthoOffCenterLH(&ortho, 0, 800, 600, 0, -5000, 5000);
    ExpectVector(Coord({0, 0, 0}, ortho), -1, 1, 0.5f);
    ExpectVector(Coord({800, 600, 1}, ortho), 1, -1, 0.5001f);
    ExpectVector(Coord({400, 300, 5000}, ortho), 0, 0, 1);

    D3DXMatrixOrthoOffCenterRH(&ortho, 0, 800, 600, 0, 1, 11);
    ExpectVector(Coord({0, 600, -1}, ortho), -1, -1, 0);
    ExpectVector(Coord({800, 0, -11}, ortho), 1, 1, 1);
}

TEST(D3DXMatrix, OrthoAndPerspectiveProjections)
{
    D3DXMATRIX ortho;
    D3DXMatrixOrthoLH(&ortho, 4, 2, 1, 3);
    ExpectVector(Coord({2, -1, 1}, ortho), 1, -1, 0);
    ExpectVector(Coord({-2, 1, 3}, ortho), -1, 1, 1);

    D3DXMATRIX perspective;
    D3DXMatrixPerspectiveFovLH(&perspective, D3DX_PI / 2, 2, 1, 100);
    ExpectVector(Coord({0, 0, 1}, perspective), 0, 0, 0);
    ExpectVector(Coord({0, 0, 100}, perspective), 0, 0, 1);
    ExpectVector(Coord({4, 2, 2}, perspective), 1, 1, (2 - 1) * 100.0f / 99.0f / 2);
}

TEST(D3DXVector, TransformsKeepOrDropTranslation)
{
    D3DXMATRIX m;
    D3DXMatrixTranslation(&m, 10, 20, 30);
    const D3DXVECTOR3 v(1, 2, 3);
    D3DXVECTOR3 normal;
    D3DXVec3TransformNormal(&normal, &v, &m);
    ExpectVector(normal, 1, 2, 3);
    ExpectVector(Coord(v, m), 11, 22, 33);

    const D3DXVECTOR4 w(1, 2, 3, 0.5f);
    D3DXVECTOR4 out;
    D3DXVec4Transform(&out, &w, &m);
    EXPECT_EQ(out, D3DXVECTOR4(6, 12, 18, 0.5f));
}

TEST(D3DXVector, Vec3Helpers)
{
    const D3DXVECTOR3 a(3, 0, 4), b(0, 1, 0);
    EXPECT_FLOAT_EQ(D3DXVec3Length(&a), 5);
    EXPECT_FLOAT_EQ(D3DXVec3Dot(&a, &b), 0);

    D3DXVECTOR3 out;
    ExpectVector(*D3DXVec3Cross(&out, &a, &b), -4, 0, 3);
    ExpectVector(*D3DXVec3Lerp(&out, &a, &b, 0.25f), 2.25f, 0.25f, 3);
    ExpectVector(*D3DXVec3Normalize(&out, &a), 0.6f, 0, 0.8f);

    const D3DXVECTOR3 zero(0, 0, 0);
    EXPECT_EQ(*D3DXVec3Normalize(&out, &zero), zero);
}

TEST(D3DXVector, Operators)
{
    D3DXVECTOR3 v(1, 2, 3);
    v += D3DXVECTOR3(1, 1, 1);
    v *= 2;
    EXPECT_EQ(v, D3DXVECTOR3(4, 6, 8));
    EXPECT_EQ(-v / 2, D3DXVECTOR3(-2, -3, -4));
    EXPECT_EQ(0.5f * D3DXVECTOR2(2, 4) - D3DXVECTOR2(1, 1), D3DXVECTOR2(0, 1));
    EXPECT_EQ(D3DXVECTOR4(1, 2, 3, 4) + D3DXVECTOR4(1, 1, 1, 1), D3DXVECTOR4(2, 3, 4, 5));

    // Vectors and matrices hand out their floats in order, as effect parameters take them.
    const float* components = v;
    EXPECT_EQ(components[2], 8.0f);
    D3DXMATRIX m;
    D3DXMatrixTranslation(&m, 1, 2, 3);
    const float* elements = m;
    EXPECT_EQ(elements[13], 2.0f);
}

} // namespace
