// D3DX's colour key: source pixels of exactly that A8R8G8B8 colour become
// transparent black before filtering. 0 means no key.
#pragma once

#include "d3dx9/image.h"

namespace platform::d3dx9 {

void ApplyColourKey(Pixels& pixels, D3DCOLOR key);

}  // namespace platform::d3dx9
