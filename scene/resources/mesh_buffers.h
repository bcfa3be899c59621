// A loaded mesh: PNT vertices, 16-bit indices (three per face), counts and
// the bounding sphere. Empty: no buffers, counts 0.
#pragma once

#include <windows.h>

#include <d3d9.h>

struct MeshBuffers {
    IDirect3DVertexBuffer9* vertices = nullptr;
    IDirect3DIndexBuffer9* indices = nullptr;
    UINT vertexCount = 0;
    UINT faceCount = 0;
    float radius = 0.0f;
    float centre[3] = {0.0f, 0.0f, 0.0f};
};
