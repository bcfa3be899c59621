// The effect files as they are written: every pass sets the states it
// relies on, since whatever the draws before it left on the device stays
// otherwise, and every sampler its addressing and filters.
#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace {

std::string Lower(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return std::tolower(c); });
    return text;
}

std::string Trimmed(const std::string& text)
{
    const auto first = text.find_first_not_of(" \t\r");
    if (first == std::string::npos)
        return "";
    return text.substr(first, text.find_last_not_of(" \t\r") - first + 1);
}

// A sampler or a pass, with the states it sets: names and values in lower
// case, as the format reads them whatever their case.
struct StateBlock {
    std::string name;
    std::map<std::string, std::string> states;
};

struct EffectStates {
    std::vector<StateBlock> samplers;
    std::vector<StateBlock> passes;
};

// The states of the effect format's text; GLSL blocks and comments are
// passed over.
EffectStates ReadStates(std::istream& text)
{
    static const std::vector<std::string> kParameterTypes = {"float",  "float2",   "float3", "float4",
                                                             "float4x4", "int", "bool",   "texture"};
    EffectStates effect;
    StateBlock* current = nullptr;
    std::string technique;
    bool inGlsl = false;
    for (std::string line; std::getline(text, line);) {
        if (inGlsl) {
            inGlsl = Trimmed(line) != "end";
            continue;
        }
        line = Trimmed(line.substr(0, line.find("//")));
        std::istringstream words(line);
        std::string first, second;
        words >> first >> second;
        if (first.empty())
            continue;
        if ((first == "vertex" || first == "fragment") && second.empty()) {
            inGlsl = true;
        } else if (first == "sampler") {
            current = &effect.samplers.emplace_back(StateBlock{second, {}});
        } else if (first == "technique") {
            technique = second;
            current = nullptr;
        } else if (first == "pass") {
            current = &effect.passes.emplace_back(StateBlock{technique + "/" + second, {}});
        } else if (std::find(kParameterTypes.begin(), kParameterTypes.end(), first) != kParameterTypes.end()) {
            current = nullptr;
        } else if (const auto equals = line.find('='); current && equals != std::string::npos) {
            current->states[Lower(Trimmed(line.substr(0, equals)))] = Lower(Trimmed(line.substr(equals + 1)));
        }
    }
    return effect;
}

// What a pass or a sampler leaves unset, as "name: state, state".
std::vector<std::string> Unset(const EffectStates& effect)
{
    std::vector<std::string> faults;
    const auto report = [&](const std::string& what, const StateBlock& block, std::vector<std::string> wanted) {
        std::string missing;
        for (const std::string& state : wanted)
            if (!block.states.contains(state))
                missing += (missing.empty() ? "" : ", ") + state;
        if (!missing.empty())
            faults.push_back(what + " " + block.name + ": " + missing);
    };
    for (const StateBlock& pass : effect.passes) {
        std::vector<std::string> wanted = {"cullmode", "zenable", "zwriteenable", "alphablendenable"};
        const auto blending = pass.states.find("alphablendenable");
        if (blending != pass.states.end() && blending->second != "false" && blending->second != "0")
            wanted.insert(wanted.end(), {"srcblend", "destblend"});
        report("pass", pass, wanted);
    }
    for (const StateBlock& sampler : effect.samplers)
        report("sampler", sampler, {"addressu", "addressv", "minfilter", "magfilter"});
    return faults;
}

TEST(EffectFileCheck, FindsWhatAPassOrASamplerLeavesUnset)
{
    std::istringstream text(R"(texture Mask
sampler MaskSampler = Mask   // no filters
    AddressU = CLAMP
    AddressV = clamp
technique Main
    pass Blended
        cullmode = none
        ZEnable = FALSE
        AlphaBlendEnable = TRUE
        SrcBlend = SRCALPHA
        fragment
void main() { float ZWriteEnable = 1.0; fragColour = vec4(ZWriteEnable); }
        end
    pass Opaque
        CullMode = NONE
        ZEnable = FALSE
        ZWriteEnable = FALSE  // blending off: no blend factors needed
        AlphaBlendEnable = FALSE
        fragment
        end
)");
    EXPECT_EQ(Unset(ReadStates(text)),
              (std::vector<std::string>{"pass Main/Blended: zwriteenable, destblend",
                                        "sampler MaskSampler: minfilter, magfilter"}));
}

TEST(EffectFileCheck, EveryEffectFileSetsItsPassAndSamplerStates)
{
    int files = 0;
    for (const auto& entry : std::filesystem::directory_iterator(EFFECTS_DIR)) {
        if (entry.path().extension() != ".fx")
            continue;
        ++files;
        SCOPED_TRACE(entry.path().filename().string());
        std::ifstream text(entry.path());
        const EffectStates effect = ReadStates(text);
        EXPECT_FALSE(effect.passes.empty());
        EXPECT_EQ(Unset(effect), std::vector<std::string>{});
    }
    EXPECT_GT(files, 0);
}

} // namespace
