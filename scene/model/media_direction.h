// Direction parameters: an angle in degrees with its cached rotated axes,
// and a direction with a spread.
#pragma once

#include "scene/model/bound_control_list.h"
#include "scene/model/undo_ctrl.h"

#include <d3dx9math.h>

class MediaDirection : public MediaParamT<unsigned int> {
public:
    MediaDirection();
    // Copies the angle and computes the axes for it.
    MediaDirection(const MediaDirection& other);

    // Recomputes both axes from the current angle; setting the angle alone
    // does not.
    void UpdateAxes();

    const D3DXVECTOR4& AxisX() const { return m_axisX; }
    const D3DXVECTOR4& AxisY() const { return m_axisY; }

private:
    D3DXVECTOR4 m_axisX{1, 0, 0, 0};
    D3DXVECTOR4 m_axisY{0, 1, 0, 0};
    BoundControlList m_bindings;
};

// The value is the direction in degrees.
class MediaSector : public MediaParamT<unsigned int> {
public:
    MediaSector() = default;
    MediaSector(const MediaSector& other) = default;

    // A unit vector at direction +- spread, the angle measured
    // counter-clockwise as seen on a y-down screen (90 points up).
    D3DXVECTOR3 RandomDirection() const;

    MediaParamT<unsigned int> spread;
};
