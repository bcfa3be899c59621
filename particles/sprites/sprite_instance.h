// One sprite of a system: where it is, how it moves (the kind's six
// values), its extents, axes, phase, timers and colour.
#pragma once

#include <windows.h>

#include <d3dx9math.h>

#include "scene/model/view_obj_ctrl.h"

#include <cmath>

class KV_BaseSpriteProp;
class KV_ParticleSystemCtrl;

struct SpriteInstance {
    // Clears everything, then the aspect of the description's image (one
    // frame of a strip), unit axes, a random scale and its half extents.
    void Init(const KV_BaseSpriteProp& description);
    // Timers and rule state cleared, full phase, a randomly signed phase
    // speed, the colour.
    void Reset(const KV_ParticleSystemCtrl& description);
    void ClearTimers();

    // centre - half width x U - half height x V.
    D3DXVECTOR3 GetCorner() const
    {
        return D3DXVECTOR3(centre.x - halfWidth * axisU.x - halfHeight * axisV.x,
                           centre.y - halfWidth * axisU.y - halfHeight * axisV.y,
                           centre.z - halfWidth * axisU.z - halfHeight * axisV.z);
    }
    // The longer side of the sprite is scale x size pixels.
    void ComputeHalfExtents(unsigned size);

    // Wholly beyond the edge (extents taken as absolute values).
    bool IsOutsideLeft(const KV_ViewObjCtrl& d) const { return d.GetLeftPixels() > centre.x + std::fabs(halfWidth); }
    bool IsOutsideRight(const KV_ViewObjCtrl& d) const { return d.GetRightPixels() < centre.x - std::fabs(halfWidth); }
    bool IsOutsideTop(const KV_ViewObjCtrl& d) const { return d.GetTopPixels() > centre.y + std::fabs(halfHeight); }
    bool IsOutsideBottom(const KV_ViewObjCtrl& d) const
    {
        return d.GetBottomPixels() < centre.y - std::fabs(halfHeight);
    }
    // Touching the edge (extents as stored: a mirrored sprite tests the other side).
    bool CrossesLeft(const KV_ViewObjCtrl& d) const { return d.GetLeftPixels() > centre.x - halfWidth; }
    bool CrossesRight(const KV_ViewObjCtrl& d) const { return d.GetRightPixels() < centre.x + halfWidth; }
    bool CrossesTop(const KV_ViewObjCtrl& d) const { return d.GetTopPixels() > centre.y - halfHeight; }
    bool CrossesBottom(const KV_ViewObjCtrl& d) const { return d.GetBottomPixels() < centre.y + halfHeight; }

    float m[6];
    D3DXVECTOR3 centre;
    float scale;
    // The fog's small turn per frame, as the cosine and sine of its angle:
    // a whole matrix per sprite would double the record a frame walks through.
    float turnCos, turnSin;
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
