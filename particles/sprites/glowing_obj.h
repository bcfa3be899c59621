// The runtime object of the glowing sprite systems: it owns the description
// copy, moves its sprites every frame and draws them in three passes
// through the description's effect, the glow going through a 512 x 512
// target of the document's.
#pragma once

#include "particles/sprites/effect_sprite_object.h"
#include "scene/resources/resource_key.h"

#include <d3dx9.h>

class KV_GlowEffectCtrl;
class RenderTargetPair;

class KV_GlowingObj : public EffectSpriteObject {
public:
    // The target is the document's, under a key of the object's own.
    explicit KV_GlowingObj(std::unique_ptr<KV_GlowEffectCtrl> description);

    void Render(KV_ABRender& renderer) override;
    // The glow is laid over the scene drawn before it.
    bool ReadsScene() const override;
    // The description's frame first, then the sprites.
    void Update(float localTime) override;

    KV_GlowEffectCtrl& Glow();
    // The document's pair under the key; its textures go with a device reset.
    RenderTargetPair* Target() const { return m_target; }

private:
    // The sprites with the glow picture into the target, overlaps keeping
    // the brightest.
    void DrawGlow(KV_ABRender& renderer, ID3DXEffect& effect);
    // The scene with the glow laid over it, over the whole picture.
    void Composite(KV_ABRender& renderer, ID3DXEffect& effect);

    GuidKey m_key;
    RenderTargetPair* m_target = nullptr;
};
