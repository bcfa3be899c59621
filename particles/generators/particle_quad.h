// The quads particles are drawn as: builders, texture coordinates, the
// colour conversion and the writers into a locked batch.
#pragma once

#include <array>

#include <d3dx9math.h>

#include "scene/render/vertex_formats.h"

class MediaColor;
class MediaQuad;
class Particle;

// Strip order: bottom-left, top-left, bottom-right, top-right; drawn as
// the triangles (0, 1, 2) and (2, 1, 3).
struct ParticleQuad {
    std::array<DX_V::PCT, 4> v;
};

// White, with the whole texture.
ParticleQuad BuildQuadFromCentre(const D3DXVECTOR3& centre, float width, float height);
// Half the size along each unit axis: c -U +V, c -U -V, c +U +V, c +U -V.
ParticleQuad BuildQuadFromAxes(const D3DXVECTOR3& centre, const D3DXVECTOR3& u, const D3DXVECTOR3& v, float size);
// A segment from a along d (of length `length`), a wide at its start and
// b at its end; the texture coordinates stay. Length 0 gives no area.
void BuildSegmentQuad(ParticleQuad& quad, const D3DXVECTOR3& a, const D3DXVECTOR3& d, float length, float startWidth,
                      float endWidth);
// The x and y axes turned about z by angle radians.
void RotatedAxes(float angle, D3DXVECTOR3& u, D3DXVECTOR3& v);
ParticleQuad BuildQuadFromMediaQuad(const MediaQuad& region);
// Moves the quad's far edge and the stored edge to their midpoints.
void JoinSegmentQuad(std::array<D3DXVECTOR3, 2>& edge, ParticleQuad& quad);
void SetQuadTexCoords(ParticleQuad& quad, float leftU, float rightU, float topV, float bottomV);
void MirrorQuadTexCoords(ParticleQuad& quad, bool horizontal, bool vertical);

// One colour channel of 0..1 as a byte; NaN gives 0.
BYTE ColourByte(float c);
// The colour's red, green and blue with the alpha, as ARGB.
D3DCOLOR ParticleColour(const MediaColor& colour, float alpha);
void SetQuadColour(ParticleQuad& quad, D3DCOLOR colour);

void WriteBatchQuad(UINT slot, DX_V::PCT* vertices, const ParticleQuad& quad);
// An upright square of p's size x sizeScale, its alpha p's alpha x alphaScale
// x the colour's alpha.
void WriteParticleQuad(const Particle& p, const MediaColor& colour, DX_V::PCT* vertices, UINT slot,
                       float sizeScale, float alphaScale);
// The same turned by angle radians.
void WriteRotatedParticleQuad(const Particle& p, const MediaColor& colour, DX_V::PCT* vertices, UINT slot,
                              float sizeScale, float angle, float alphaScale);
