// The render and sampler states an effect may set, by their Direct3D
// names without prefix, with their values' names (both case-insensitive).
#pragma once

#include <optional>
#include <string_view>

#include <d3d9.h>

namespace platform::d3dx9 {

std::optional<DWORD> RenderStateByName(std::string_view name);
std::optional<DWORD> SamplerStateByName(std::string_view name);
// A value's name for that state (TRUE, SRCALPHA, CLAMP...), or a number.
std::optional<DWORD> RenderStateValue(DWORD state, std::string_view value);
std::optional<DWORD> SamplerStateValue(DWORD state, std::string_view value);

}  // namespace platform::d3dx9
