// The runtime object of the moving and static sprite kinds: it owns the
// description copy, steps it every frame and has the renderer draw it.
#pragma once

#include "particles/sprites/animated_texture.h"
#include "particles/sprites/particle_geom_array.h"
#include "scene/model/abobj.h"
#include "scene/render/d3d_helpers.h"

class KV_ParticleSystemCtrl;

class KV_SpriteArrayObj : public KV_ABObj {
public:
    using Geometry = AnimatedTexture<ParticleGeomArray>;

    explicit KV_SpriteArrayObj(std::unique_ptr<KV_ParticleSystemCtrl> description);
    ~KV_SpriteArrayObj() override;

    void Render(KV_ABRender& renderer) override;
    void Signal(int, int) override;
    void UpdateLayout() override;
    bool ReadsScene() const override;
    bool HitTest(POINT point) const override;
    void Reset() override;
    void Update(float localTime) override;

    // With a reference added for the caller; null without a second image.
    IDirect3DTexture9* GetSecondTexture() const;

    const Geometry& GetGeometry() const { return m_geometry; }
    const KV_ParticleSystemCtrl& Sprites() const { return *m_sprites; }
    KV_ParticleSystemCtrl& Sprites() { return *m_sprites; }

private:
    KV_ParticleSystemCtrl* m_sprites;
    Geometry m_geometry;
    TextureHolder m_secondTexture;
};
