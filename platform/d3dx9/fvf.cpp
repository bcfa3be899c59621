#include <d3dx9mesh.h>

UINT WINAPI D3DXGetFVFVertexSize(DWORD fvf) {
    UINT size = 0;
    switch (fvf & D3DFVF_POSITION_MASK) {
        case D3DFVF_XYZ:
            size = 12;
            break;
        case D3DFVF_XYZRHW:
        case D3DFVF_XYZW:
        case D3DFVF_XYZB1:
            size = 16;
            break;
        case D3DFVF_XYZB2:
            size = 20;
            break;
        case D3DFVF_XYZB3:
            size = 24;
            break;
        case D3DFVF_XYZB4:
            size = 28;
            break;
        case D3DFVF_XYZB5:
            size = 32;
            break;
        default:
            break;
    }
    if (fvf & D3DFVF_NORMAL) size += 12;
    if (fvf & D3DFVF_PSIZE) size += 4;
    if (fvf & D3DFVF_DIFFUSE) size += 4;
    if (fvf & D3DFVF_SPECULAR) size += 4;
    // Two bits per set beyond bit 16: 0 two floats, 1 three, 2 four, 3 one.
    static constexpr UINT kCoordinateBytes[4] = {8, 12, 16, 4};
    UINT sets = (fvf & D3DFVF_TEXCOUNT_MASK) >> D3DFVF_TEXCOUNT_SHIFT;
    for (UINT i = 0; i < sets; ++i) size += kCoordinateBytes[(fvf >> (16 + 2 * i)) & 3];
    return size;
}
