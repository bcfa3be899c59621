// libFuzzer target: any bytes, read as effect text, either give a whole
// effect description or fail with a message that names its line.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "d3dx9/effect/effect_description.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    platform::d3dx9::EffectDescription effect;
    std::string error;
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    if (platform::d3dx9::ParseEffect(text, effect, error)) {
        if (effect.techniques.empty()) std::abort();
        for (const auto& technique : effect.techniques) {
            if (technique.passes.empty()) std::abort();
            for (const auto& pass : technique.passes) {
                if (!pass.fragment) std::abort();
            }
        }
        for (const auto& sampler : effect.samplers) {
            if (sampler.texture >= effect.parameters.size()) std::abort();
        }
    } else if (error.rfind("line ", 0) != 0) {
        std::abort();
    }
    return 0;
}
