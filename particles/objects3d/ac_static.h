// The clock dial: the description's size in pixels around its centre. The
// placement's edges always follow the centre and the size.
#pragma once

#include "scene/model/bound_control_list.h"
#include "scene/render/kv_animation_base.h"

#include <d3dx9math.h>

class KV_ClockConstructor;

class AC_Static : public KV_AnimationBase {
public:
    explicit AC_Static(KV_ClockConstructor& description);
    ~AC_Static() override;

    void Apply(KV_Frame& frame) override;
    void OnSizeChanged(unsigned int size);
    void OnRectangleChanged();

    KV_ClockConstructor& description;
    D3DXMATRIX size;
    D3DXMATRIX translation;

private:
    void PlaceEdges(unsigned int size);

    BoundControlList m_bindings;
};
