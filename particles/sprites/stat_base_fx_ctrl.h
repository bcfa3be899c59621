// Sprite systems that set their effect up themselves each frame and draw
// their quads at one stored position: the explosion and the text overlays.
#pragma once

#include "particles/sprites/fx_particle_system_ctrl.h"

class KV_ABRender;
class ParticleGeomArray;

// A record layer of its own, with nothing to add.
class KV_BaseFXCtrl : public KV_FXParticleSystemCtrl {
public:
    void WriteRecord(KV_IOF_Virtual& archive) const;
    void ReadRecord(KV_IOF_Virtual& archive);
};

class KV_StatBaseFXCtrl : public KV_BaseFXCtrl {
public:
    // At the centre of the picture laid out now.
    KV_StatBaseFXCtrl();
    KV_StatBaseFXCtrl(const KV_StatBaseFXCtrl&) = default;

    // An effect object around a copy.
    std::unique_ptr<KV_ABObj> CreateObject() const override;
    // The effect's technique and values for this frame; true asks the
    // object to draw the quads with the effect (a kind may draw them itself).
    // Without an effect: false, and nothing is drawn.
    virtual bool SetupEffect(KV_ABRender& renderer, ParticleGeomArray& geometry) = 0;

    void WriteRecord(KV_IOF_Virtual& archive) const;
    void ReadRecord(KV_IOF_Virtual& archive);

    // Picture pixels.
    MediaParamT<D3DXVECTOR3> position;
    // The text kinds' quad, in picture pixels.
    MediaParamT<unsigned int> height;
    MediaParamT<unsigned int> width;
};
