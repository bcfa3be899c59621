// What the runtime objects of the sprite systems drawn through an effect
// share: the description copy they own, its sprites moved and their quads
// written every frame, and its resources loaded once.
#pragma once

#include "particles/sprites/particle_geom_array.h"
#include "scene/model/abobj.h"

class KV_FXParticleSystemCtrl;

class EffectSpriteObject : public KV_ABObj {
public:
    ~EffectSpriteObject() override;

    void Signal(int, int) override;
    void UpdateLayout() override;
    bool HitTest(POINT point) const override;
    // Moves the sprites and writes every quad.
    void Update(float localTime) override;

    const ParticleGeomArray& GetGeometry() const { return m_geometry; }

protected:
    // Creates the sprites, then loads the description's resources.
    explicit EffectSpriteObject(std::unique_ptr<KV_FXParticleSystemCtrl> description);

    // Whether there is anything to draw: a system whose count was 0 from
    // the start has no buffers.
    bool HasSprites() const { return m_geometry.vertexBuffer && m_geometry.indexBuffer; }

    ParticleGeomArray m_geometry;

private:
    KV_FXParticleSystemCtrl& Sprites();
};
