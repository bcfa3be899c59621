// Back-buffer points in picture pixels: for hit tests of objects placed on
// the picture.
#pragma once

#include "scene/model/media_rectangle.h"
#include "scene/model/picture_placement.h"

#include <d3dx9math.h>

// Through the fitted quad, then back through the view's zoom and pan; z kept.
D3DXVECTOR3 MapScreenToScene(const PicturePlacement& placement, float x, float y, float z);
const PicturePlacement& GetPicturePlacement();
// The back-buffer point, scaled to the target, on or inside the rectangle.
bool ContainsPoint(const MediaRectangle& rectangle, float x, float y);
