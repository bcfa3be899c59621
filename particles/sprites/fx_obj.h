// The runtime object of the sprite systems that set their effect up
// themselves: it owns the description copy, moves its sprites every frame
// and draws them when the description's set-up asks for it.
#pragma once

#include "particles/sprites/particle_geom_array.h"
#include "scene/model/abobj.h"

class KV_StatBaseFXCtrl;

class KV_FXObj : public KV_ABObj {
public:
    // Creates the sprites and loads the description's resources.
    explicit KV_FXObj(std::unique_ptr<KV_StatBaseFXCtrl> description);
    ~KV_FXObj() override;

    void Render(KV_ABRender& renderer) override;
    void Signal(int, int) override;
    void UpdateLayout() override;
    bool ReadsScene() const override;
    bool HitTest(POINT point) const override;
    void Update(float localTime) override;

    const ParticleGeomArray& GetGeometry() const { return m_geometry; }
    KV_StatBaseFXCtrl& Effects() { return *m_effects; }

private:
    KV_StatBaseFXCtrl* m_effects;
    ParticleGeomArray m_geometry;
};
