// The simulated machine's record of Direct3D draws (tests only): what each
// draw depended on, so that a test can check a draw without its pixels.
// Recording is off until a test turns it on.
#pragma once

#include <vector>

#include <d3d9.h>

namespace platform::sim {

struct DrawnStage {
    DWORD colorOp = 0, colorArg1 = 0, colorArg2 = 0;
    DWORD alphaOp = 0, alphaArg1 = 0, alphaArg2 = 0;
    IDirect3DBaseTexture9* texture = nullptr;  // not a reference: compare, never use
    DWORD texCoordIndex = 0;
    DWORD textureTransformFlags = 0;
};

struct DrawRecord {
    D3DPRIMITIVETYPE primitiveType = D3DPT_TRIANGLELIST;
    UINT primitiveCount = 0;
    bool indexed = false;
    DWORD fvf = 0;
    UINT stride = 0;
    std::vector<DrawnStage> stages;  // the stages in effect: the cascade ends before the first one missing
    bool alphaBlend = false;
    DWORD srcBlend = 0, destBlend = 0, blendOp = 0;
    bool alphaTest = false;
    DWORD alphaFunc = 0, alphaRef = 0;
    DWORD cullMode = 0;
    bool zEnable = false;  // in effect: also false without a depth surface
    bool zWrite = false;
    DWORD zFunc = 0;
    bool lighting = false;  // in effect: never for pre-transformed vertices
    DWORD textureFactor = 0;
    IDirect3DSurface9* renderTarget = nullptr;  // not a reference
    IDirect3DPixelShader9* pixelShader = nullptr;  // an effect pass's, not a reference
};

void RecordDraws(bool on);
// The draws recorded since the last call, oldest first.
std::vector<DrawRecord> TakeDraws();

}  // namespace platform::sim
