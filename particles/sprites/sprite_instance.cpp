#include "particles/sprites/sprite_instance.h"

#include "particles/sprites/particle_system_ctrl.h"
#include "scene/model/crt_random.h"
#include "scene/resources/kv_docresmanager.h"

#include <cmath>
#include <cstring>

namespace {

float ImageAspect(const KV_BaseSpriteProp& d)
{
    if (!g_currentDocResManager)
        return 1.0f;
    return g_currentDocResManager->GetImage(d.image).aspect;
}

} // namespace

void SpriteInstance::Init(const KV_BaseSpriteProp& d)
{
    std::memset(static_cast<void*>(this), 0, sizeof(*this));
    aspect = ImageAspect(d);
    if (d.strip)
        aspect *= static_cast<float>(d.FrameCount());
    axisU = D3DXVECTOR3(1.0f, 0.0f, 0.0f);
    axisV = D3DXVECTOR3(0.0f, 1.0f, 0.0f);
    centre = D3DXVECTOR3(100.0f, 100.0f, 0.0f);
    scale = RandomInRange(d.scaleMinimum, d.scaleMaximum);
    ComputeHalfExtents(d.size.Value());
    vStart = 0.0f;
    vEnd = 1.0f;
    uStart = 0.0f;
    uEnd = 1.0f;
}

void SpriteInstance::Reset(const KV_ParticleSystemCtrl& d)
{
    ClearTimers();
    placed = false;
    waiting = false;
    edgeState = -1;
    phase = 1.0f;
    ruleFade = 1.0f;
    phaseSpeed = d.pulseSpeed;
    if (kv_rand() & 1)
        phaseSpeed = -phaseSpeed;
    d.UpdateInstanceColor(*this);
}

void SpriteInstance::ClearTimers() { t0 = t1 = t2 = t3 = 0.0f; }

std::array<D3DXVECTOR3, 4> SpriteInstance::QuadCorners() const
{
    const D3DXVECTOR3 c = GetCorner();
    const D3DXVECTOR3 w = 2.0f * halfWidth * axisU, h = 2.0f * halfHeight * axisV;
    return {c + h, c, c + w + h, c + w};
}

void SpriteInstance::ComputeHalfExtents(unsigned size)
{
    const float c = scale * static_cast<float>(size) * 0.5f;
    if (aspect < 1.0f) {
        halfWidth = c;
        halfHeight = aspect * c;
    } else {
        halfHeight = c;
        halfWidth = c / aspect;
    }
}
