// Generators drawn by a background layer on a 64 x 64 back buffer, with a
// document resource manager holding their effect and pictures.
#pragma once

#include <memory>
#include <string>

#include "particles/generators/particles_obj.h"
#include "particles/generators/tex_particle_generator.h"
#include "scene/render/light_fixture.h"
#include "scene/resources/kv_docresmanager.h"

namespace particles_test {

// 0x00RRGGBB of the picture every slide here shows.
inline constexpr D3DCOLOR kPicture = 0x4080C0;

class GeneratorTest : public render_test::LightTest {
protected:
    void SetUp() override;
    void TearDown() override;

    // The particle effect under a key the generator's link then names.
    void LinkParticleEffect(KV_TexParticleGenerator& generator);
    // The effect file's effect, likewise.
    void LinkEffectFile(KV_TexParticleGenerator& generator, const char* path);
    void LinkEffect(KV_TexParticleGenerator& generator, ID3DXEffect* effect);
    // A picture under a key of its own, linked as the generator's next image.
    void AddImage(KV_TexParticleGenerator& generator, IDirect3DTexture9* texture);
    // Frames of one picture, each shown for the given seconds.
    void AddImage(KV_TexParticleGenerator& generator, const std::vector<IDirect3DTexture9*>& frames, float seconds);
    // The runtime object, shown by the slide; the slide owns it.
    KV_ParticlesObj& Show(const KV_ParticleGenerator& description);
    template <class Kind>
    static Kind& Runtime(KV_ParticlesObj& object)
    {
        return static_cast<Kind&>(object.Generator());
    }
    // Every object updated at t, then drawn, with the readers counted.
    void Frame(float t);

    std::unique_ptr<KV_DocResManager> manager = std::make_unique<KV_DocResManager>();

private:
    int keys_ = 0;
};

// Whether two 0x00RRGGBB colours lie within 2 per channel.
testing::AssertionResult Near(D3DCOLOR expected, D3DCOLOR actual);

}  // namespace particles_test
