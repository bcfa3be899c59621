// How the copies of a mesh array drift: their size on screen, direction,
// speed, sway, wobble and spin. Read by every copy's controller.
#pragma once

#include "scene/model/undo_ctrl.h"

#include <d3dx9math.h>

struct DriftSettings {
    DriftSettings() { SetDirection(0); }

    // Degrees, counter-clockwise on screen: 0 drifts right, 90 up.
    void SetDirection(int degrees);

    MediaParamT<unsigned int> size{0};
    int angle = 0;
    // The drift direction and the side axis, y down.
    D3DXVECTOR4 direction;
    D3DXVECTOR4 side;
    MediaParamT<unsigned int> speed{50};
    MediaParamT<unsigned int> sway{0};
    MediaParamT<unsigned int> wobbleChangeRate{0};
    MediaParamT<unsigned int> spinSpeed{100};
};
