// Masked effects that work along a direction: an angle and its unit vector.
#pragma once

#include "effects/screenfx/fx_constructor.h"
#include "scene/model/bound_control_list.h"

class KV_DirectionBased : public KV_FX_Constructor {
public:
    // An angle of 0 points along +x, 90 along -y (up on screen).
    void UpdateDirection();

    // The part between a kind's fields and the base part.
    void WriteRecord(KV_IOF_Virtual& archive) const;
    static void ReadRecord(KV_IOF_Virtual& archive, KV_DirectionBased& description);

    UINTSclaleTo<float> directionStrength{0, 1.0f, 0.0f};
    MediaParamT<unsigned int> directionAngle{0};
    D3DXVECTOR4 direction{1, 0, 0, 0};

protected:
    KV_DirectionBased(INT effectId, unsigned int speedValue, float speedFactor);
    // The copy binds its own observer and derives its direction again.
    KV_DirectionBased(const KV_DirectionBased& other);

private:
    void BindDirection();

    // Destroyed before the parameter it observes.
    BoundControlList m_controls;
};
