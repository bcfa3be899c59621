// Lights by index, and which of them are on.
#include <algorithm>

#include "d3d9/device.h"

namespace platform::d3d9 {
namespace {

// What LightEnable makes of an index nothing was set at.
D3DLIGHT9 DefaultLight() {
    D3DLIGHT9 light{};
    light.Type = D3DLIGHT_DIRECTIONAL;
    light.Diffuse = {1.f, 1.f, 1.f, 0.f};
    light.Direction = {0.f, 0.f, 1.f};
    return light;
}

}  // namespace

STDMETHODIMP Device::SetLight(DWORD index, const D3DLIGHT9* light) {
    if (!light || light->Type < D3DLIGHT_POINT || light->Type > D3DLIGHT_DIRECTIONAL) return D3DERR_INVALIDCALL;
    bindings_.lights[index].light = *light;
    return D3D_OK;
}

STDMETHODIMP Device::GetLight(DWORD index, D3DLIGHT9* light) {
    const auto found = bindings_.lights.find(index);
    if (!light || found == bindings_.lights.end()) return D3DERR_INVALIDCALL;
    *light = found->second.light;
    return D3D_OK;
}

STDMETHODIMP Device::LightEnable(DWORD index, BOOL enable) {
    auto found = bindings_.lights.find(index);
    if (found == bindings_.lights.end()) found = bindings_.lights.emplace(index, LightSlot{DefaultLight()}).first;
    auto& enabled = bindings_.enabledLights;
    const bool was = found->second.enabled;
    found->second.enabled = enable != FALSE;
    if (enable && !was) enabled.push_back(index);
    if (!enable && was) enabled.erase(std::find(enabled.begin(), enabled.end(), index));
    return D3D_OK;
}

STDMETHODIMP Device::GetLightEnable(DWORD index, BOOL* enable) {
    const auto found = bindings_.lights.find(index);
    if (!enable || found == bindings_.lights.end()) return D3DERR_INVALIDCALL;
    *enable = found->second.enabled ? TRUE : FALSE;
    return D3D_OK;
}

}  // namespace platform::d3d9
