// The first image of a generator: what the sprite kinds draw their batch
// with and step through.
#include "particles/generators/particles_obj.h"
#include "particles/generators/tex_particle_generator.h"
#include "scene/light/kv_abrender.h"
#include "scene/render/current_device.h"

TextureSequence* KV_TexParticleGenerator::FirstImage()
{
    return m_loadedImages.empty() ? nullptr : &m_loadedImages.front();
}

void KV_TexParticleGenerator::DrawBatchWithFirstImage(KV_ABRender& renderer, KV_ParticlesObj& object)
{
    if (object.Batches().empty())
        return;
    g_currentDevice->SetTexture(0, CurrentFrameTexture(0));
    renderer.DrawSprites(object.Batches()[0], m_effect.Get(), 2 * object.QuadCounts()[0]);
}
