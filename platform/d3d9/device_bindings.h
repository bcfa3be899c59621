// What is set on the device for drawing, beside the states: textures per
// stage, stream 0, the indices, the vertex format, the pixel shader and
// the lights. Reset
// and the device's end let all of it go.
#pragma once

#include <array>
#include <map>
#include <vector>

#include <d3d9.h>

#include "d3d9/device_hold.h"
#include "d3d9/pipeline/linked_program.h"
#include "d3d9/state_block.h"
#include "d3d9/texture_binding.h"

namespace platform::d3d9 {

struct LightSlot {
    D3DLIGHT9 light{};
    bool enabled = false;
};

struct DeviceBindings {
    std::array<DeviceHold<IDirect3DBaseTexture9>, kTextureStages> textures;
    std::array<TextureBinding*, kTextureStages> textureBindings{};
    DeviceHold<IDirect3DVertexBuffer9> stream;
    UINT streamOffset = 0;
    UINT streamStride = 0;
    DeviceHold<IDirect3DIndexBuffer9> indices;
    DWORD fvf = 0;
    DeviceHold<IDirect3DPixelShader9> pixelShader;
    pipeline::LinkedProgram* program = nullptr;  // the pixel shader's
    std::map<DWORD, LightSlot> lights;
    std::vector<DWORD> enabledLights;  // in the order they were enabled

    void Clear();
};

}  // namespace platform::d3d9
