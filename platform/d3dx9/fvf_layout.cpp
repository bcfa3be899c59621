#include "d3dx9/fvf_layout.h"

#include <d3dx9mesh.h>

namespace platform::d3dx9 {

FvfLayout LayoutOf(DWORD fvf) {
    FvfLayout layout;
    UINT at = 0;
    const auto place = [&](FvfComponent& component, UINT size) {
        component = {at, size};
        at += size;
    };
    const UINT positionSize = D3DXGetFVFVertexSize(fvf & D3DFVF_POSITION_MASK);
    place(layout.position, positionSize);
    if (fvf & D3DFVF_NORMAL) place(layout.normal, 12);
    if (fvf & D3DFVF_PSIZE) place(layout.pointSize, 4);
    if (fvf & D3DFVF_DIFFUSE) place(layout.diffuse, 4);
    if (fvf & D3DFVF_SPECULAR) place(layout.specular, 4);
    static constexpr UINT kCoordinateBytes[4] = {8, 12, 16, 4};
    const UINT sets = (fvf & D3DFVF_TEXCOUNT_MASK) >> D3DFVF_TEXCOUNT_SHIFT;
    for (UINT i = 0; i < sets && i < 8; ++i) place(layout.texture[i], kCoordinateBytes[(fvf >> (16 + 2 * i)) & 3]);
    layout.stride = at;
    return layout;
}

}  // namespace platform::d3dx9
