#include "d3dx9/effect/effect_states.h"

#include <cerrno>
#include <cstdlib>
#include <span>
#include <string>

namespace platform::d3dx9 {
namespace {

struct Named {
    std::string_view name;
    DWORD value;
};

enum class Values { Boolean, Blend, BlendOp, Cull, Compare, ZBuffer, Shade, Number, Address, Filter };

struct StateName {
    std::string_view name;
    DWORD state;
    Values values;
};

bool Same(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
        if (lower(a[i]) != lower(b[i])) return false;
    }
    return true;
}

constexpr StateName kRenderStates[] = {
    {"ZEnable", D3DRS_ZENABLE, Values::ZBuffer},
    {"ZWriteEnable", D3DRS_ZWRITEENABLE, Values::Boolean},
    {"ZFunc", D3DRS_ZFUNC, Values::Compare},
    {"AlphaBlendEnable", D3DRS_ALPHABLENDENABLE, Values::Boolean},
    {"SrcBlend", D3DRS_SRCBLEND, Values::Blend},
    {"DestBlend", D3DRS_DESTBLEND, Values::Blend},
    {"BlendOp", D3DRS_BLENDOP, Values::BlendOp},
    {"CullMode", D3DRS_CULLMODE, Values::Cull},
    {"AlphaTestEnable", D3DRS_ALPHATESTENABLE, Values::Boolean},
    {"AlphaFunc", D3DRS_ALPHAFUNC, Values::Compare},
    {"AlphaRef", D3DRS_ALPHAREF, Values::Number},
    {"ShadeMode", D3DRS_SHADEMODE, Values::Shade},
    {"TextureFactor", D3DRS_TEXTUREFACTOR, Values::Number},
};

constexpr StateName kSamplerStates[] = {
    {"AddressU", D3DSAMP_ADDRESSU, Values::Address},
    {"AddressV", D3DSAMP_ADDRESSV, Values::Address},
    {"AddressW", D3DSAMP_ADDRESSW, Values::Address},
    {"BorderColor", D3DSAMP_BORDERCOLOR, Values::Number},
    {"MagFilter", D3DSAMP_MAGFILTER, Values::Filter},
    {"MinFilter", D3DSAMP_MINFILTER, Values::Filter},
    {"MipFilter", D3DSAMP_MIPFILTER, Values::Filter},
    {"MaxAnisotropy", D3DSAMP_MAXANISOTROPY, Values::Number},
};

constexpr Named kBoolean[] = {{"TRUE", TRUE}, {"FALSE", FALSE}};
constexpr Named kZBuffer[] = {{"TRUE", D3DZB_TRUE}, {"FALSE", D3DZB_FALSE}};
constexpr Named kBlend[] = {{"ZERO", D3DBLEND_ZERO},           {"ONE", D3DBLEND_ONE},
                            {"SRCCOLOR", D3DBLEND_SRCCOLOR},   {"INVSRCCOLOR", D3DBLEND_INVSRCCOLOR},
                            {"SRCALPHA", D3DBLEND_SRCALPHA},   {"INVSRCALPHA", D3DBLEND_INVSRCALPHA},
                            {"DESTALPHA", D3DBLEND_DESTALPHA}, {"INVDESTALPHA", D3DBLEND_INVDESTALPHA},
                            {"DESTCOLOR", D3DBLEND_DESTCOLOR}, {"INVDESTCOLOR", D3DBLEND_INVDESTCOLOR}};
constexpr Named kBlendOp[] = {{"ADD", D3DBLENDOP_ADD},
                              {"SUBTRACT", D3DBLENDOP_SUBTRACT},
                              {"REVSUBTRACT", D3DBLENDOP_REVSUBTRACT},
                              {"MIN", D3DBLENDOP_MIN},
                              {"MAX", D3DBLENDOP_MAX}};
constexpr Named kCull[] = {{"NONE", D3DCULL_NONE}, {"CW", D3DCULL_CW}, {"CCW", D3DCULL_CCW}};
constexpr Named kCompare[] = {{"NEVER", D3DCMP_NEVER},         {"LESS", D3DCMP_LESS},
                              {"EQUAL", D3DCMP_EQUAL},         {"LESSEQUAL", D3DCMP_LESSEQUAL},
                              {"GREATER", D3DCMP_GREATER},     {"NOTEQUAL", D3DCMP_NOTEQUAL},
                              {"GREATEREQUAL", D3DCMP_GREATEREQUAL}, {"ALWAYS", D3DCMP_ALWAYS}};
constexpr Named kShade[] = {{"FLAT", D3DSHADE_FLAT}, {"GOURAUD", D3DSHADE_GOURAUD}};
constexpr Named kAddress[] = {{"WRAP", D3DTADDRESS_WRAP},
                              {"MIRROR", D3DTADDRESS_MIRROR},
                              {"CLAMP", D3DTADDRESS_CLAMP},
                              {"BORDER", D3DTADDRESS_BORDER},
                              {"MIRRORONCE", D3DTADDRESS_MIRRORONCE}};
constexpr Named kFilter[] = {{"NONE", D3DTEXF_NONE},
                             {"POINT", D3DTEXF_POINT},
                             {"LINEAR", D3DTEXF_LINEAR},
                             {"ANISOTROPIC", D3DTEXF_ANISOTROPIC}};

std::span<const Named> Table(Values values) {
    switch (values) {
        case Values::Boolean: return kBoolean;
        case Values::ZBuffer: return kZBuffer;
        case Values::Blend: return kBlend;
        case Values::BlendOp: return kBlendOp;
        case Values::Cull: return kCull;
        case Values::Compare: return kCompare;
        case Values::Shade: return kShade;
        case Values::Address: return kAddress;
        case Values::Filter: return kFilter;
        case Values::Number: return {};
    }
    return {};
}

// Decimal or 0x hexadecimal, the whole text, within 32 bits.
std::optional<DWORD> Number(std::string_view text) {
    if (text.empty() || text.size() > 12 || text[0] == '-' || text[0] == '+') return std::nullopt;
    const std::string copy(text);
    errno = 0;
    char* end = nullptr;
    const unsigned long long value = std::strtoull(copy.c_str(), &end, 0);
    if (errno != 0 || end != copy.c_str() + copy.size() || value > 0xFFFFFFFFull) return std::nullopt;
    return static_cast<DWORD>(value);
}

template <size_t N>
const StateName* Find(const StateName (&table)[N], std::string_view name) {
    for (const StateName& entry : table) {
        if (Same(entry.name, name)) return &entry;
    }
    return nullptr;
}

template <size_t N>
std::optional<DWORD> Value(const StateName (&table)[N], DWORD state, std::string_view value) {
    for (const StateName& entry : table) {
        if (entry.state != state) continue;
        for (const Named& named : Table(entry.values)) {
            if (Same(named.name, value)) return named.value;
        }
        return Number(value);
    }
    return std::nullopt;
}

}  // namespace

std::optional<DWORD> RenderStateByName(std::string_view name) {
    const StateName* found = Find(kRenderStates, name);
    return found ? std::optional<DWORD>(found->state) : std::nullopt;
}

std::optional<DWORD> SamplerStateByName(std::string_view name) {
    const StateName* found = Find(kSamplerStates, name);
    return found ? std::optional<DWORD>(found->state) : std::nullopt;
}

std::optional<DWORD> RenderStateValue(DWORD state, std::string_view value) {
    return Value(kRenderStates, state, value);
}

std::optional<DWORD> SamplerStateValue(DWORD state, std::string_view value) {
    return Value(kSamplerStates, state, value);
}

}  // namespace platform::d3dx9
