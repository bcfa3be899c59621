#include "particles/generators/particle_quad.h"

#include <cmath>
#include <utility>

#include "particles/processes/particle.h"
#include "scene/model/media_color.h"
#include "scene/model/media_quad.h"

namespace {

void SetPosition(DX_V::PCT& vertex, const D3DXVECTOR3& p)
{
    vertex.x = p.x;
    vertex.y = p.y;
    vertex.z = p.z;
}

ParticleQuad WhiteQuad(const std::array<D3DXVECTOR3, 4>& corners)
{
    ParticleQuad quad{};
    for (size_t i = 0; i < 4; ++i)
        SetPosition(quad.v[i], corners[i]);
    SetQuadColour(quad, 0xFFFFFFFF);
    SetQuadTexCoords(quad, 0, 1, 0, 1);
    return quad;
}

D3DXVECTOR3 PositionOf(const DX_V::PCT& vertex) { return D3DXVECTOR3(vertex.x, vertex.y, vertex.z); }

} // namespace

ParticleQuad BuildQuadFromCentre(const D3DXVECTOR3& c, float w, float h)
{
    const float l = c.x - w / 2, r = c.x + w / 2, b = c.y + h / 2, t = c.y - h / 2;
    return WhiteQuad({D3DXVECTOR3(l, b, c.z), D3DXVECTOR3(l, t, c.z), D3DXVECTOR3(r, b, c.z), D3DXVECTOR3(r, t, c.z)});
}

ParticleQuad BuildQuadFromAxes(const D3DXVECTOR3& c, const D3DXVECTOR3& u, const D3DXVECTOR3& v, float size)
{
    const float r = size / 2;
    const D3DXVECTOR3 ru = u * r, rv = v * r;
    return WhiteQuad({c - ru + rv, c - ru - rv, c + ru + rv, c + ru - rv});
}

void BuildSegmentQuad(ParticleQuad& quad, const D3DXVECTOR3& a, const D3DXVECTOR3& d, float length, float startWidth,
                      float endWidth)
{
    // A segment of no length has no direction: its quad has no area.
    const D3DXVECTOR3 n = length > 0 ? D3DXVECTOR3(-d.y, d.x, 0) / length : D3DXVECTOR3(0, 0, 0);
    SetPosition(quad.v[0], a + n * (startWidth / 2));
    SetPosition(quad.v[1], a - n * (startWidth / 2));
    SetPosition(quad.v[2], a + d + n * (endWidth / 2));
    SetPosition(quad.v[3], a + d - n * (endWidth / 2));
}

void RotatedAxes(float angle, D3DXVECTOR3& u, D3DXVECTOR3& v)
{
    D3DXMATRIX rotation;
    D3DXMatrixRotationZ(&rotation, angle);
    const D3DXVECTOR3 x(1, 0, 0), y(0, 1, 0);
    D3DXVec3TransformCoord(&u, &x, &rotation);
    D3DXVec3TransformCoord(&v, &y, &rotation);
}

ParticleQuad BuildQuadFromMediaQuad(const MediaQuad& q)
{
    return WhiteQuad({q.corners[1].Value(), q.corners[0].Value(), q.corners[3].Value(), q.corners[2].Value()});
}

void JoinSegmentQuad(std::array<D3DXVECTOR3, 2>& edge, ParticleQuad& quad)
{
    for (size_t k = 0; k < 2; ++k) {
        DX_V::PCT& farVertex = quad.v[2 + k];
        edge[k] = edge[k] + (PositionOf(farVertex) - edge[k]) * 0.5f;
        SetPosition(farVertex, edge[k]);
    }
}

void SetQuadTexCoords(ParticleQuad& quad, float leftU, float rightU, float topV, float bottomV)
{
    const float uv[4][2] = {{leftU, bottomV}, {leftU, topV}, {rightU, bottomV}, {rightU, topV}};
    for (size_t i = 0; i < 4; ++i) {
        quad.v[i].u = uv[i][0];
        quad.v[i].v = uv[i][1];
    }
}

void MirrorQuadTexCoords(ParticleQuad& quad, bool horizontal, bool vertical)
{
    if (horizontal) {
        std::swap(quad.v[0].u, quad.v[2].u);
        std::swap(quad.v[1].u, quad.v[3].u);
    }
    if (vertical) {
        std::swap(quad.v[0].v, quad.v[3].v);
        std::swap(quad.v[1].v, quad.v[2].v);
    }
}

BYTE ColourByte(float c)
{
    if (std::isnan(c) || c <= 0)
        return 0;
    if (c >= 1)
        return 255;
    return static_cast<BYTE>(c * 255.0f + 0.5f);
}

D3DCOLOR ParticleColour(const MediaColor& colour, float alpha)
{
    // The stored 0x00BBGGRR bytes move as they are; only the alpha is converted.
    const DWORD bgr = colour.Value();
    return (DWORD{ColourByte(alpha)} << 24) | ((bgr & 0xFF) << 16) | (bgr & 0xFF00) | ((bgr >> 16) & 0xFF);
}

void SetQuadColour(ParticleQuad& quad, D3DCOLOR colour)
{
    for (DX_V::PCT& vertex : quad.v)
        vertex.diffuse = colour;
}

void WriteBatchQuad(UINT slot, DX_V::PCT* vertices, const ParticleQuad& quad)
{
    for (size_t i = 0; i < 4; ++i)
        vertices[4 * slot + i] = quad.v[i];
}

void WriteParticleQuad(const Particle& p, const MediaColor& colour, DX_V::PCT* vertices, UINT slot, float sizeScale,
                       float alphaScale)
{
    const float side = p.Size() * sizeScale;
    ParticleQuad quad = BuildQuadFromCentre(p.position, side, side);
    SetQuadColour(quad, ParticleColour(colour, (p.Alpha() * alphaScale) * colour.Alpha() / 255.0f));
    WriteBatchQuad(slot, vertices, quad);
}

void WriteRotatedParticleQuad(const Particle& p, const MediaColor& colour, DX_V::PCT* vertices, UINT slot,
                              float sizeScale, float angle, float alphaScale)
{
    D3DXVECTOR3 u, v;
    RotatedAxes(angle, u, v);
    ParticleQuad quad = BuildQuadFromAxes(p.position, u, v, p.Size() * sizeScale);
    SetQuadColour(quad, ParticleColour(colour, colour.Alpha() * (p.Alpha() * alphaScale) / 255.0f));
    WriteBatchQuad(slot, vertices, quad);
}
