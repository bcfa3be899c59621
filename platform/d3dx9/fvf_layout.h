// Where each component of a flexible vertex format lies in a vertex.
#pragma once

#include <d3d9types.h>

namespace platform::d3dx9 {

struct FvfComponent {
    UINT offset = 0;
    UINT size = 0;  // 0 when the format lacks it
};

struct FvfLayout {
    FvfComponent position;  // with the blend weights that follow it
    FvfComponent normal;
    FvfComponent pointSize;
    FvfComponent diffuse;
    FvfComponent specular;
    FvfComponent texture[8];
    UINT stride = 0;
};

FvfLayout LayoutOf(DWORD fvf);

}  // namespace platform::d3dx9
