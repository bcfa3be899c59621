// One sprite of a system: where it is, how it moves (the kind's six
// values), its extents, axes, phase, timers and colour.
#pragma once

#include <windows.h>

#include <d3dx9math.h>

class KV_BaseSpriteProp;
class KV_ParticleSystemCtrl;
class KV_ViewObjCtrl;

struct SpriteInstance {
    // Clears everything, then the aspect of the description's image (one
    // frame of a strip), unit axes, a random scale and its half extents.
    void Init(const KV_BaseSpriteProp& description);
    // Timers and rule state cleared, full phase, a randomly signed phase
    // speed, the colour.
    void Reset(const KV_ParticleSystemCtrl& description);
    void ClearTimers();

    // centre - half width x U - half height x V.
    D3DXVECTOR3 GetCorner() const;
    // The longer side of the sprite is scale x size pixels.
    void ComputeHalfExtents(unsigned size);

    // Wholly beyond the edge (extents taken as absolute values).
    bool IsOutsideLeft(const KV_ViewObjCtrl& d) const;
    bool IsOutsideRight(const KV_ViewObjCtrl& d) const;
    bool IsOutsideTop(const KV_ViewObjCtrl& d) const;
    bool IsOutsideBottom(const KV_ViewObjCtrl& d) const;
    // Touching the edge (extents as stored: a mirrored sprite tests the other side).
    bool CrossesLeft(const KV_ViewObjCtrl& d) const;
    bool CrossesRight(const KV_ViewObjCtrl& d) const;
    bool CrossesTop(const KV_ViewObjCtrl& d) const;
    bool CrossesBottom(const KV_ViewObjCtrl& d) const;

    float m[6];
    D3DXVECTOR3 centre;
    float scale;
    D3DXMATRIX rotation;
    float vStart, vEnd;
    float uStart, uEnd;
    float halfWidth, halfHeight;
    float aspect;
    D3DXVECTOR3 axisU, axisV;
    float phase;
    float t0, t1;
    int edgeState;
    bool placed;
    float t2, t3;
    bool waiting;
    D3DCOLOR colour;
    float phaseSpeed;
    // The edge rules' fade, for kinds whose phase is their own.
    float ruleFade;
};
