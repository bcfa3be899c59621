// The runtime object of every masked effect: it owns the description's
// clone, loads its effect and mask, and reads the scene when the clone
// draws over it.
#pragma once

#include <memory>

#include "effects/screenfx/fx_constructor.h"
#include "scene/model/abobj.h"

class KV_BrushObj : public KV_ABObj {
public:
    explicit KV_BrushObj(std::unique_ptr<KV_FX_Constructor> clone);

    void Render(KV_ABRender& renderer) override;
    void Signal(int a, int b) override;
    void UpdateLayout() override {}
    bool ReadsScene() const override;
    int GetKindCode() const override { return 4; }
    void Update(float localTime) override;

    KV_FX_Constructor& Effect() { return *fx; }

private:
    KV_FX_Constructor* fx;
};
