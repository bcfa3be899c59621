#include "particles/generators/tex_particle_generator.h"

#include "particles/generators/particles_obj.h"
#include "scene/render/d3d_helpers.h"
#include "scene/render/render_target_pair.h"
#include "scene/resources/kv_docresmanager.h"

KV_TexParticleGenerator::~KV_TexParticleGenerator() = default;

ImageInfo KV_TexParticleGenerator::GetImageInfo() const
{
    if (images.empty())
        return ImageInfo{nullptr, 0, 1.0f};
    return ImageInfo{&images.front(), sequenceFlag, 1.0f};
}

void KV_TexParticleGenerator::RestoreResources(KV_ParticlesObj& object)
{
    m_object = &object;
    if (!g_currentDocResManager)
        return;
    const std::vector<TextureSequence*> loaded = sequenceFlag != 0
                                                     ? g_currentDocResManager->GetImageSequences(images)
                                                     : g_currentDocResManager->GetImages(images);
    m_loadedImages.clear();
    for (const TextureSequence* sequence : loaded)
        m_loadedImages.push_back(*sequence);
    m_effect.Reset(g_currentDocResManager->GetEffect(effectLink));
}

bool KV_TexParticleGenerator::ReadsScene() const
{
    return blendMode.Value() == kScreen || blendMode.Value() == kColourDodge;
}

IDirect3DTexture9* KV_TexParticleGenerator::CurrentFrameTexture(size_t i) const
{
    return i < m_loadedImages.size() ? m_loadedImages[i].CurrentFrame() : nullptr;
}

void KV_TexParticleGenerator::AcquireBlendMask()
{
    if (!g_currentDocResManager)
        return;
    m_target = g_currentDocResManager->GetRenderTarget(m_targetKey);
    const D3DSURFACE_DESC backBuffer = GetBackBufferDesc();
    m_target->Create(backBuffer.Width, backBuffer.Height);
}
