// A point of the point lists of particle generators and path animations.
// Assignment shares the position (the cells are counted).
#pragma once

#include "scene/model/counted_ref.h"
#include "scene/model/undo_ctrl.h"

#include <d3dx9math.h>

class KV_IOF_Virtual;

struct PathPoint {
    CountedRef<MediaParamT<D3DXVECTOR3>> position{new MediaParamT<D3DXVECTOR3>()};
    // Always an empty cell.
    CountedRef<MediaParam> unused{nullptr};
};

PathPoint MakePathPoint(float x, float y, float z);
// Three floats x, y, z.
void ReadPathPoint(KV_IOF_Virtual& archive, PathPoint& target);
void WritePathPoint(KV_IOF_Virtual& archive, const PathPoint& point);
