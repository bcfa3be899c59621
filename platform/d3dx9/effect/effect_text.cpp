// The effect text, line by line: a keyword opens each declaration, and
// "State = Value" lines belong to the sampler or pass above them.
#include <cerrno>
#include <climits>
#include <cmath>
#include <cstdlib>

#include "d3dx9/effect/effect_description.h"
#include "d3dx9/effect/effect_states.h"

namespace platform::d3dx9 {
namespace {

struct TypeName {
    std::string_view name;
    ParameterType type;
    size_t values;
};

constexpr TypeName kTypes[] = {{"float", ParameterType::Float, 1},     {"float2", ParameterType::Float2, 2},
                               {"float3", ParameterType::Float3, 3},   {"float4", ParameterType::Float4, 4},
                               {"float4x4", ParameterType::Matrix, 16}, {"int", ParameterType::Int, 1},
                               {"bool", ParameterType::Bool, 1},       {"texture", ParameterType::Texture, 0}};

std::string_view Trim(std::string_view text) {
    const size_t first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos) return {};
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

std::vector<std::string_view> Tokens(std::string_view text) {
    std::vector<std::string_view> tokens;
    size_t at = 0;
    while ((at = text.find_first_not_of(" \t", at)) != std::string_view::npos) {
        const size_t end = std::min(text.find_first_of(" \t", at), text.size());
        tokens.push_back(text.substr(at, end - at));
        at = end;
    }
    return tokens;
}

bool Identifier(std::string_view name) {
    if (name.empty() || name.size() > 64) return false;
    for (size_t i = 0; i < name.size(); ++i) {
        const char c = name[i];
        const bool letter = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_';
        if (!letter && !(i > 0 && c >= '0' && c <= '9')) return false;
    }
    return true;
}

bool Float(std::string_view text, float& value) {
    if (text.empty() || text.size() > 40) return false;
    const std::string copy(text);
    char* end = nullptr;
    errno = 0;
    value = std::strtof(copy.c_str(), &end);
    return errno == 0 && end == copy.c_str() + copy.size() && std::isfinite(value);
}

bool Integer(std::string_view text, INT& value) {
    if (text.empty() || text.size() > 12) return false;
    const std::string copy(text);
    char* end = nullptr;
    errno = 0;
    const long long parsed = std::strtoll(copy.c_str(), &end, 10);
    if (errno != 0 || end != copy.c_str() + copy.size() || parsed < INT_MIN || parsed > INT_MAX) return false;
    value = static_cast<INT>(parsed);
    return true;
}

class Parser {
public:
    Parser(std::string_view text, EffectDescription& effect) : effect_(effect) {
        size_t at = 0;
        while (at <= text.size()) {
            size_t end = text.find('\n', at);
            if (end == std::string_view::npos) end = text.size();
            std::string_view line = text.substr(at, end - at);
            if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
            lines_.push_back(line);
            at = end + 1;
        }
    }

    bool Run(std::string& error) {
        for (line_ = 0; line_ < lines_.size(); ++line_) {
            if (!Line()) {
                error = "line " + std::to_string(line_ + 1) + ": " + error_;
                return false;
            }
        }
        if (!Finish()) {
            error = "line " + std::to_string(lines_.size()) + ": " + error_;
            return false;
        }
        return true;
    }

private:
    enum class Block { None, Sampler, Pass };

    bool Fail(std::string message) {
        error_ = std::move(message);
        return false;
    }

    bool Line() {
        std::string_view text = lines_[line_];
        for (const char c : text) {
            if (static_cast<unsigned char>(c) < 0x20 && c != '\t') return Fail("control character in the text");
        }
        if (const size_t comment = text.find("//"); comment != std::string_view::npos) text = text.substr(0, comment);
        const std::vector<std::string_view> tokens = Tokens(text);
        if (tokens.empty()) return true;
        const std::string_view keyword = tokens[0];
        for (const TypeName& type : kTypes) {
            if (keyword == type.name) return ParameterLine(type, tokens);
        }
        if (keyword == "sampler") return SamplerLine(tokens);
        if (keyword == "technique") return TechniqueLine(tokens);
        if (keyword == "pass") return PassLine(tokens);
        if (keyword == "vertex" || keyword == "fragment") return StageLines(keyword, tokens);
        if (tokens.size() == 3 && tokens[1] == "=") return StateLine(tokens[0], tokens[2]);
        return Fail("unknown line \"" + std::string(keyword) + "\"");
    }

    bool NewName(std::string_view name) {
        if (!Identifier(name)) return Fail("\"" + std::string(name) + "\" is not a name");
        for (const Parameter& p : effect_.parameters) {
            if (p.name == name) return Fail("\"" + std::string(name) + "\" is declared twice");
        }
        for (const Sampler& s : effect_.samplers) {
            if (s.name == name) return Fail("\"" + std::string(name) + "\" is declared twice");
        }
        return true;
    }

    bool ParameterLine(const TypeName& type, const std::vector<std::string_view>& tokens) {
        block_ = Block::None;
        if (tokens.size() < 2 || !NewName(tokens[1])) return tokens.size() < 2 ? Fail("a parameter needs a name") : false;
        Parameter parameter{std::string(tokens[1]), type.type, {}};
        if (tokens.size() > 2) {
            if (type.values == 0) return Fail("a texture has no default");
            if (tokens[2] != "=" || tokens.size() - 3 != type.values) {
                return Fail("\"" + parameter.name + "\" needs \"=\" and " + std::to_string(type.values) + " values");
            }
            if (!Default(type.type, tokens, parameter.value)) {
                return Fail("\"" + parameter.name + "\" has a value that is not a " + std::string(type.name));
            }
        }
        effect_.parameters.push_back(std::move(parameter));
        return true;
    }

    static bool Default(ParameterType type, const std::vector<std::string_view>& tokens,
                        d3d9::pipeline::UniformValue& value) {
        if (type == ParameterType::Bool) {
            if (tokens[3] != "true" && tokens[3] != "false") return false;
            value.integer = tokens[3] == "true" ? TRUE : FALSE;
            return true;
        }
        if (type == ParameterType::Int) return Integer(tokens[3], value.integer);
        for (size_t i = 3; i < tokens.size(); ++i) {
            if (!Float(tokens[i], value.floats[i - 3])) return false;
        }
        return true;
    }

    bool SamplerLine(const std::vector<std::string_view>& tokens) {
        if (tokens.size() != 4 || tokens[2] != "=") return Fail("a sampler reads \"sampler Name = TextureParameter\"");
        if (!NewName(tokens[1])) return false;
        if (effect_.samplers.size() == kMaxSamplers) return Fail("more than 8 samplers");
        for (size_t i = 0; i < effect_.parameters.size(); ++i) {
            if (effect_.parameters[i].name == tokens[3] && effect_.parameters[i].type == ParameterType::Texture) {
                effect_.samplers.push_back({std::string(tokens[1]), i, {}});
                block_ = Block::Sampler;
                return true;
            }
        }
        return Fail("\"" + std::string(tokens[3]) + "\" is not a texture parameter");
    }

    bool TechniqueLine(const std::vector<std::string_view>& tokens) {
        block_ = Block::None;
        if (tokens.size() != 2 || !Identifier(tokens[1])) return Fail("a technique reads \"technique Name\"");
        for (const Technique& t : effect_.techniques) {
            if (t.name == tokens[1]) return Fail("technique \"" + t.name + "\" is declared twice");
        }
        if (!Finish()) return false;
        effect_.techniques.push_back({std::string(tokens[1]), {}});
        return true;
    }

    bool PassLine(const std::vector<std::string_view>& tokens) {
        if (effect_.techniques.empty()) return Fail("a pass outside a technique");
        if (tokens.size() != 2 || !Identifier(tokens[1])) return Fail("a pass reads \"pass Name\"");
        if (!FinishPass()) return false;
        effect_.techniques.back().passes.push_back({std::string(tokens[1]), {}, {}, {}, {}});
        block_ = Block::Pass;
        return true;
    }

    bool StageLines(std::string_view keyword, const std::vector<std::string_view>& tokens) {
        if (block_ != Block::Pass) return Fail("a stage outside a pass");
        if (tokens.size() != 1) return Fail("\"" + std::string(keyword) + "\" stands alone on its line");
        Pass& pass = effect_.techniques.back().passes.back();
        std::optional<StageSource>& stage = keyword == "vertex" ? pass.vertex : pass.fragment;
        if (stage) return Fail("the pass has two " + std::string(keyword) + " stages");
        const size_t opened = line_;
        StageSource source{{}, static_cast<int>(line_ + 2)};
        for (++line_; line_ < lines_.size(); ++line_) {
            if (Trim(lines_[line_]) == "end") {
                stage = std::move(source);
                return true;
            }
            for (const char c : lines_[line_]) {
                if (static_cast<unsigned char>(c) < 0x20 && c != '\t') return Fail("control character in the text");
            }
            source.code.append(lines_[line_]).append("\n");
        }
        line_ = opened;
        return Fail("the " + std::string(keyword) + " stage has no \"end\"");
    }

    bool StateLine(std::string_view name, std::string_view value) {
        if (block_ == Block::Sampler) {
            Sampler& sampler = effect_.samplers.back();
            const auto state = SamplerStateByName(name);
            if (!state) return Fail("\"" + std::string(name) + "\" is not a sampler state");
            const auto setting = SamplerStateValue(*state, value);
            if (!setting) return Fail("\"" + std::string(value) + "\" is not a value of " + std::string(name));
            sampler.states.push_back({*state, *setting});
            return true;
        }
        if (block_ != Block::Pass) return Fail("a state outside a sampler or pass");
        Pass& pass = effect_.techniques.back().passes.back();
        if (const size_t dot = name.find('.'); dot != std::string_view::npos) {
            const std::string_view samplerName = name.substr(0, dot), stateName = name.substr(dot + 1);
            for (size_t s = 0; s < effect_.samplers.size(); ++s) {
                if (effect_.samplers[s].name != samplerName) continue;
                const auto state = SamplerStateByName(stateName);
                if (!state) return Fail("\"" + std::string(stateName) + "\" is not a sampler state");
                const auto setting = SamplerStateValue(*state, value);
                if (!setting) return Fail("\"" + std::string(value) + "\" is not a value of " + std::string(stateName));
                pass.samplerStates.push_back({s, {*state, *setting}});
                return true;
            }
            return Fail("\"" + std::string(samplerName) + "\" is not a sampler");
        }
        const auto state = RenderStateByName(name);
        if (!state) return Fail("\"" + std::string(name) + "\" is not a render state");
        const auto setting = RenderStateValue(*state, value);
        if (!setting) return Fail("\"" + std::string(value) + "\" is not a value of " + std::string(name));
        pass.renderStates.push_back({*state, *setting});
        return true;
    }

    bool FinishPass() {
        if (effect_.techniques.empty() || effect_.techniques.back().passes.empty()) return true;
        const Pass& pass = effect_.techniques.back().passes.back();
        if (!pass.fragment) return Fail("pass \"" + pass.name + "\" has no fragment stage");
        return true;
    }

    // The technique above is complete.
    bool Finish() {
        if (!FinishPass()) return false;
        if (!effect_.techniques.empty() && effect_.techniques.back().passes.empty()) {
            return Fail("technique \"" + effect_.techniques.back().name + "\" has no pass");
        }
        if (line_ >= lines_.size() && effect_.techniques.empty()) return Fail("the effect has no technique");
        return true;
    }

    EffectDescription& effect_;
    std::vector<std::string_view> lines_;
    size_t line_ = 0;
    Block block_ = Block::None;
    std::string error_;
};

}  // namespace

bool ParseEffect(std::string_view text, EffectDescription& effect, std::string& error) {
    effect = {};
    if (text.size() >= 4 && text.substr(0, 4) == std::string_view("\x01\x09\xFF\xFE", 4)) {
        error = "line 1: compiled effect data: only effect text runs here";
        return false;
    }
    return Parser(text, effect).Run(error);
}

}  // namespace platform::d3dx9
