#include "d3d9/device_bindings.h"

namespace platform::d3d9 {

void DeviceBindings::Clear() {
    for (auto& texture : textures) texture.Set(nullptr);
    textureBindings.fill(nullptr);
    stream.Set(nullptr);
    streamOffset = 0;
    streamStride = 0;
    indices.Set(nullptr);
    fvf = 0;
    pixelShader.Set(nullptr);
    program = nullptr;
    lights.clear();
    enabledLights.clear();
}

}  // namespace platform::d3d9
