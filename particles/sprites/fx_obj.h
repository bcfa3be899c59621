// The runtime object of the sprite systems that set their effect up
// themselves: each frame it asks the description to set the effect up and
// draws the quads with it when the description asks for that.
#pragma once

#include "particles/sprites/effect_sprite_object.h"

class KV_StatBaseFXCtrl;

class KV_FXObj : public EffectSpriteObject {
public:
    explicit KV_FXObj(std::unique_ptr<KV_StatBaseFXCtrl> description);

    void Render(KV_ABRender& renderer) override;
    bool ReadsScene() const override;

    KV_StatBaseFXCtrl& Effects();
};
