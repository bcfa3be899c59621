// Masked effects that work about a centre, in picture pixels.
#pragma once

#include "effects/screenfx/fx_constructor.h"

class KV_CentralBased : public KV_FX_Constructor {
public:
    // The common parameters with "Scale" as four floats, and "Center".
    void SetCenter(KV_ABRender& renderer);

    // The part between a kind's fields and the base part.
    void WriteRecord(KV_IOF_Virtual& archive) const;
    static void ReadRecord(KV_IOF_Virtual& archive, KV_CentralBased& description);

    MediaParamT<D3DXVECTOR3> centre;

protected:
    // The centre starts in the middle of the picture laid out at the time.
    KV_CentralBased(INT effectId, unsigned int speedValue, float speedFactor);
    KV_CentralBased(const KV_CentralBased&) = default;

    // The centre as a fraction of the laid-out picture; false before a
    // picture is laid out, when there is nothing to divide by.
    bool CentreInPicture(D3DXVECTOR2& fraction) const;
    // The centre's fraction as the two floats of the parameter.
    void SetCentreParam(const char* name, const D3DXVECTOR2& fraction);
};
