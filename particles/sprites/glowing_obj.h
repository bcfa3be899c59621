// The runtime object of the glowing sprite systems: it owns the description
// copy, moves its sprites every frame and draws them in three passes
// through the description's effect, the glow going through a 512 x 512
// target of the document's.
#pragma once

#include "particles/sprites/particle_geom_array.h"
#include "scene/model/abobj.h"
#include "scene/resources/resource_key.h"

#include <d3dx9.h>

class KV_GlowEffectCtrl;
class RenderTargetPair;

class KV_GlowingObj : public KV_ABObj {
public:
    // Creates the sprites, loads the description's resources and makes the
    // target under a key of its own.
    explicit KV_GlowingObj(std::unique_ptr<KV_GlowEffectCtrl> description);
    ~KV_GlowingObj() override;

    void Render(KV_ABRender& renderer) override;
    void Signal(int, int) override;
    void UpdateLayout() override;
    // The glow is laid over the scene drawn before it.
    bool ReadsScene() const override;
    bool HitTest(POINT point) const override;
    void Update(float localTime) override;

    const ParticleGeomArray& GetGeometry() const { return m_geometry; }
    KV_GlowEffectCtrl& Glow() { return *m_glow; }
    // The document's pair under the key; its textures go with a device reset.
    RenderTargetPair* Target() const { return m_target; }

private:
    // The sprites with the glow picture into the target, overlaps keeping
    // the brightest.
    void DrawGlow(KV_ABRender& renderer, ID3DXEffect& effect);
    // The scene with the glow laid over it, over the whole picture.
    void Composite(KV_ABRender& renderer, ID3DXEffect& effect);

    KV_GlowEffectCtrl* m_glow;
    ParticleGeomArray m_geometry;
    GuidKey m_key;
    RenderTargetPair* m_target = nullptr;
};
