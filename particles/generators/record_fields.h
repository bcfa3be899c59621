// Stored forms the generator records share.
#pragma once

#include "particles/processes/particle.h"
#include "scene/model/scaled_param.h"

class KV_IOF_Virtual;

// The value, then a notification so that the result follows it at once.
void ReadScaledValue(KV_IOF_Virtual& archive, UINTSclaleTo<float>& param);

// Three floats x, y, z.
void ReadVector(KV_IOF_Virtual& archive, D3DXVECTOR3& v);
void WriteVector(KV_IOF_Virtual& archive, const D3DXVECTOR3& v);

// A count, then x, y, z per particle. The count is checked against the
// bytes left; each becomes a particle at rest whose previous position is
// its position.
void ReadParticlePositions(KV_IOF_Virtual& archive, ParticleList& list);
Particle ReadParticlePosition(KV_IOF_Virtual& archive);
void WriteParticlePositions(KV_IOF_Virtual& archive, const ParticleList& list);
