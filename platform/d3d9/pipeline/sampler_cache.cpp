#include "d3d9/pipeline/sampler_cache.h"

namespace platform::d3d9::pipeline {
namespace {

GLint Address(DWORD mode) {
    switch (mode) {
        case D3DTADDRESS_MIRROR: return GL_MIRRORED_REPEAT;
        case D3DTADDRESS_CLAMP: return GL_CLAMP_TO_EDGE;
        case D3DTADDRESS_BORDER: return GL_CLAMP_TO_BORDER;
        default: return GL_REPEAT;
    }
}

bool Linear(DWORD filter) { return filter == D3DTEXF_LINEAR || filter == D3DTEXF_ANISOTROPIC; }

GLint Minification(DWORD min, DWORD mip) {
    if (mip == D3DTEXF_NONE) return Linear(min) ? GL_LINEAR : GL_NEAREST;
    if (mip == D3DTEXF_POINT) return Linear(min) ? GL_LINEAR_MIPMAP_NEAREST : GL_NEAREST_MIPMAP_NEAREST;
    return Linear(min) ? GL_LINEAR_MIPMAP_LINEAR : GL_NEAREST_MIPMAP_LINEAR;
}

}  // namespace

GLuint SamplerCache::Get(const std::array<DWORD, kSamplerStateCount>& states) {
    const Key key{states[D3DSAMP_ADDRESSU], states[D3DSAMP_ADDRESSV], states[D3DSAMP_MINFILTER],
                  states[D3DSAMP_MAGFILTER], states[D3DSAMP_MIPFILTER], states[D3DSAMP_BORDERCOLOR]};
    auto found = samplers_.find(key);
    if (found != samplers_.end()) return found->second.name();
    GlObject sampler(GlObject::Kind::Sampler);
    const GLuint name = sampler.name();
    glSamplerParameteri(name, GL_TEXTURE_WRAP_S, Address(key[0]));
    glSamplerParameteri(name, GL_TEXTURE_WRAP_T, Address(key[1]));
    glSamplerParameteri(name, GL_TEXTURE_MIN_FILTER, Minification(key[2], key[4]));
    glSamplerParameteri(name, GL_TEXTURE_MAG_FILTER, Linear(key[3]) ? GL_LINEAR : GL_NEAREST);
    const DWORD border = key[5];
    const float colour[4] = {((border >> 16) & 0xFF) / 255.f, ((border >> 8) & 0xFF) / 255.f,
                             (border & 0xFF) / 255.f, (border >> 24) / 255.f};
    glSamplerParameterfv(name, GL_TEXTURE_BORDER_COLOR, colour);
    samplers_.emplace(key, std::move(sampler));
    return name;
}

void SamplerCache::Abandon() {
    for (auto& [key, sampler] : samplers_) sampler.Abandon();
    samplers_.clear();
}

}  // namespace platform::d3d9::pipeline
