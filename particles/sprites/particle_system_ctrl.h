// The family of sprite systems: the operations every kind may replace, in
// their slot order, and the per-sprite helpers the kinds share.
#pragma once

#include "particles/sprites/base_sprite_prop.h"
#include "particles/sprites/sprite_instance.h"
#include "scene/model/float_convert.h"

#include <cstdint>

#include <memory>
#include <span>

// A sprite's colour: the description's alpha byte x the sprite's phase
// (low 8 bits) over the description's colour, its bytes in ARGB order.
struct InstanceColorRule {
    float alpha;
    D3DCOLOR rgb;

    void Apply(SpriteInstance& instance) const
    {
        const auto a = static_cast<D3DCOLOR>(SaturatingTruncate<int64_t>(alpha * instance.phase)) & 0xFFu;
        instance.colour = a << 24 | rgb;
    }
};

class KV_ParticleSystemCtrl : public KV_BaseSpriteProp {
public:
    KV_ParticleSystemCtrl() = default;
    KV_ParticleSystemCtrl(const KV_ParticleSystemCtrl&) = default;

    ImageInfo GetImageInfo() const override;
    // A sprite array around a copy whose old inline pictures are links.
    std::unique_ptr<KV_ABObj> CreateObject() const override;
    virtual void InitParticle(SpriteInstance& instance);
    virtual void UpdateParticle(SpriteInstance& instance);
    // UpdateParticle on every sprite in list order; a kind replaces it to
    // take what stays the same for all its sprites out of the loop.
    virtual void UpdateParticles(std::span<SpriteInstance> instances);
    virtual unsigned NextFrame(unsigned frame) const;
    virtual unsigned GetParticleCount() const;
    // The alpha byte scaled by the time line's opacity.
    virtual D3DCOLOR ModulateColor(D3DCOLOR argb) const;
    virtual std::unique_ptr<KV_ParticleSystemCtrl> Clone() const = 0;

    // Moves the phase at the phase speed and turns it at the limits; with
    // restart, a phase falling below the minimum starts the sprite anew.
    void PulsePhase(SpriteInstance& instance, bool restart);
    // Alpha byte x phase (low 8 bits), over the colour in ARGB order.
    // Inline: every kind calls it for every sprite and frame.
    void UpdateInstanceColor(SpriteInstance& instance) const { ColorRule().Apply(instance); }
    // The same with what all sprites share taken once, for a loop over them.
    InstanceColorRule ColorRule() const
    {
        const DWORD c = colour.Value();
        return {static_cast<float>(AlphaByte()), (c & 0xFF) << 16 | (c & 0xFF00) | (c >> 16 & 0xFF)};
    }

protected:
    // The copy's old inline pictures resolved: what the runtime objects use.
    std::unique_ptr<KV_ParticleSystemCtrl> ResolvedClone() const;
    // The colour unchanged unless the time line's speed follows its opacity.
    D3DCOLOR ModulateWhenSpeedMode1(D3DCOLOR argb) const;
};

// A kind's Clone: a copy of the kind itself.
template <class Kind, class Base = KV_ParticleSystemCtrl>
class SpriteKind : public Base {
public:
    using Base::Base;
    std::unique_ptr<KV_ParticleSystemCtrl> Clone() const override
    {
        return std::make_unique<Kind>(static_cast<const Kind&>(*this));
    }
};

// minimum + rand() / 32767 x (maximum - minimum).
float RandomInRange(float minimum, float maximum);

// The description's member on every instance, in list order.
template <class List, class Member>
void ForEachInstance(List& instances, Member member, KV_ParticleSystemCtrl& d)
{
    for (auto& instance : instances)
        (d.*member)(instance);
}

// The picture's size in pixels, as the background layer published it.
float PictureWidthPixels();
float PictureHeightPixels();

// A back-buffer point in picture pixels: through the target scales, then
// the picture's placement and the view's zoom and pan.
D3DXVECTOR3 BackBufferToPicture(float x, float y);

// A row vector times the matrix (no translation).
D3DXVECTOR3 TurnAxis(const D3DXVECTOR3& axis, const D3DXMATRIX& rotation);

// The shear of a blade or stem swaying by s x amplitude degrees from upright.
float SwayShear(float s, float amplitudeDegrees);
