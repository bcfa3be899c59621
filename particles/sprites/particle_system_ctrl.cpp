#include "particles/sprites/particle_system_ctrl.h"

#include "particles/sprites/sprite_array_obj.h"
#include "scene/model/float_convert.h"
#include "scene/model/picture_placement.h"
#include "scene/model/random_functions.h"
#include "scene/render/view_context.h"

#include <cmath>
#include <cstdint>

float RandomInRange(float minimum, float maximum) { return RandomFloat(minimum, maximum); }

ImageInfo KV_ParticleSystemCtrl::GetImageInfo() const
{
    return {&image, imageKind, 1.0f / static_cast<float>(FrameCount())};
}

std::unique_ptr<KV_ABObj> KV_ParticleSystemCtrl::CreateObject() const
{
    return std::make_unique<KV_SpriteArrayObj>(ResolvedClone());
}

std::unique_ptr<KV_ParticleSystemCtrl> KV_ParticleSystemCtrl::ResolvedClone() const
{
    std::unique_ptr<KV_ParticleSystemCtrl> copy = Clone();
    copy->ResolveImages();
    return copy;
}

void KV_ParticleSystemCtrl::InitParticle(SpriteInstance&) {}
void KV_ParticleSystemCtrl::UpdateParticle(SpriteInstance&) {}

void KV_ParticleSystemCtrl::UpdateParticles(std::span<SpriteInstance> instances)
{
    ForEachInstance(instances, &KV_ParticleSystemCtrl::UpdateParticle, *this);
}

unsigned KV_ParticleSystemCtrl::NextFrame(unsigned frame) const { return (frame + 1) % FrameCount(); }

unsigned KV_ParticleSystemCtrl::GetParticleCount() const { return count.Value(); }

D3DCOLOR KV_ParticleSystemCtrl::ModulateColor(D3DCOLOR argb) const
{
    const float alpha = static_cast<float>(argb >> 24) * TimeLine().GetOpacity();
    const auto byte = static_cast<D3DCOLOR>(SaturatingTruncate<int64_t>(alpha)) & 0xFFu;
    return (argb & 0x00FFFFFFu) | byte << 24;
}

D3DCOLOR KV_ParticleSystemCtrl::ModulateWhenSpeedMode1(D3DCOLOR argb) const
{
    return TimeLine().speedMode.Value() == 1 ? KV_ParticleSystemCtrl::ModulateColor(argb) : argb;
}

void KV_ParticleSystemCtrl::PulsePhase(SpriteInstance& i, bool restart)
{
    i.phase += clockStep * i.phaseSpeed;
    if (phaseMinimum > i.phase) {
        if (restart)
            InitParticle(i);
        i.phase = phaseMinimum;
        i.phaseSpeed = -i.phaseSpeed;
    } else if (i.phase > phaseMaximum) {
        i.phase = phaseMaximum;
        i.phaseSpeed = -i.phaseSpeed;
    }
}

float PictureWidthPixels() { return static_cast<float>(g_picturePlacement->pictureWidth); }
float PictureHeightPixels() { return static_cast<float>(g_picturePlacement->pictureHeight); }

D3DXVECTOR3 BackBufferToPicture(float x, float y)
{
    const PicturePlacement& placement = *g_picturePlacement;
    return MapScreenToScene(placement, D3DXVECTOR3(x * placement.scaleX, y * placement.scaleY, 0.0f));
}

D3DXVECTOR3 TurnAxis(const D3DXVECTOR3& axis, const D3DXMATRIX& rotation)
{
    D3DXVECTOR3 turned;
    D3DXVec3TransformNormal(&turned, &axis, &rotation);
    return turned;
}

float SwayShear(float s, float amplitudeDegrees)
{
    return 1.0f / std::tan((180.0f - (s * amplitudeDegrees + 90.0f)) * 2.0f * 3.1415927f / 360.0f);
}
