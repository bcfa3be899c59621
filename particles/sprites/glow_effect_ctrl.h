// Sprite systems with a glow: the sprites drawn with a glow picture into a
// target of their own, that glow laid over the scene in the glow colour,
// then the sprites themselves.
#pragma once

#include "particles/sprites/fx_particle_system_ctrl.h"
#include "scene/model/media_color.h"
#include "scene/render/d3d_helpers.h"

class KV_GlowEffectCtrl : public KV_FXParticleSystemCtrl {
public:
    KV_GlowEffectCtrl();
    // Colour and strength by value; the loaded textures are shared.
    KV_GlowEffectCtrl(const KV_GlowEffectCtrl&) = default;

    // A glowing object around a copy.
    std::unique_ptr<KV_ABObj> CreateObject() const override;
    // The effect, then the glow picture (the second image) and the sprite
    // picture (the image).
    void LoadResources() override;
    // Once a frame, before the sprites move.
    virtual void BeginFrame();

    void WriteRecord(KV_IOF_Virtual& archive) const;
    void ReadRecord(KV_IOF_Virtual& archive);

    IDirect3DTexture9* GlowTexture() const { return m_glowTexture.Get(); }
    IDirect3DTexture9* MainTexture() const { return m_mainTexture.Get(); }

    MediaColor glowColour;
    UINTSclaleTo<float> glowStrength{100, 0.01f, 0.0f};

protected:
    void LoadTextures();

private:
    TextureHolder m_glowTexture;
    TextureHolder m_mainTexture;
};
