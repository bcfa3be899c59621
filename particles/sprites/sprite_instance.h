// One sprite of a system: where it is, how it moves (the kind's six
// values), its extents, axes, phase, timers and colour.
#pragma once

#include <windows.h>

#include <d3dx9math.h>

#include <array>
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
    // The quad's vertices 0 = c + H, 1 = c, 2 = c + W + H, 3 = c + W, c
    // being the corner and W and H the sides along the axes.
    std::array<D3DXVECTOR3, 4> QuadCorners() const;
    // The longer side of the sprite is scale x size pixels.
    void ComputeHalfExtents(unsigned size);

    // Wholly beyond the edge at the given pixel position (extents taken as
    // absolute values).
    bool IsOutsideLeft(float left) const { return left > centre.x + std::fabs(halfWidth); }
    bool IsOutsideRight(float right) const { return right < centre.x - std::fabs(halfWidth); }
    bool IsOutsideTop(float top) const { return top > centre.y + std::fabs(halfHeight); }
    bool IsOutsideBottom(float bottom) const { return bottom < centre.y - std::fabs(halfHeight); }
    // Touching the edge (extents as stored: a mirrored sprite tests the other side).
    bool CrossesLeft(float left) const { return left > centre.x - halfWidth; }
    bool CrossesRight(float right) const { return right < centre.x + halfWidth; }
    bool CrossesTop(float top) const { return top > centre.y - halfHeight; }
    bool CrossesBottom(float bottom) const { return bottom < centre.y + halfHeight; }

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
