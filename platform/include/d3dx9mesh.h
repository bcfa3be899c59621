// D3DX9 meshes and vertex formats.
#pragma once

#include <d3d9.h>

// Bytes of one vertex of a flexible vertex format.
UINT WINAPI D3DXGetFVFVertexSize(DWORD fvf);
