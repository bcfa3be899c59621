// The blend-mask pipeline: particles drawn into the generator's target,
// then the target composited over the picture by the blend mode.
#include "particles/generators/particles_obj.h"
#include "particles/generators/tex_particle_generator.h"
#include "scene/light/kv_abrender.h"
#include "scene/light/picture_quad.h"
#include "scene/render/current_device.h"
#include "scene/render/render_target_pair.h"

bool KV_TexParticleGenerator::CanDrawMask() const { return m_effect && m_target && m_target->Current(); }

void KV_TexParticleGenerator::DrawBatch(KV_ABRender& renderer, KV_ParticlesObj& object, size_t batch,
                                        IDirect3DTexture9* texture)
{
    if (batch >= object.Batches().size())
        return;
    m_effect->SetTexture("Texture1", texture);
    renderer.DrawSprites(object.Batches()[batch], m_effect.Get(), 2 * object.QuadCounts()[batch]);
}

void KV_TexParticleGenerator::RenderBlendedBatch(KV_ABRender& renderer, IDirect3DTexture9* texture,
                                                 KV_ParticlesObj& object)
{
    if (object.Batches().empty())
        return;
    if (!m_effect || !m_target) {
        g_currentDevice->SetTexture(0, texture);
        renderer.DrawSprites(object.Batches()[0], nullptr, 2 * object.QuadCounts()[0]);
        return;
    }
    if (!CanDrawMask())
        return;
    m_effect->SetTechnique("BlendMask");
    {
        const MaskPass pass(renderer, *m_target, 0x00000000);
        DrawBatch(renderer, object, 0, texture);
    }
    CompositeBlendMask(renderer);
}

void KV_TexParticleGenerator::RenderJoinMask(KV_ABRender& renderer, KV_ParticlesObj& object)
{
    if (!CanDrawMask())
        return;
    m_effect->SetTechnique("JoinMask");
    const MaskPass pass(renderer, *m_target, 0x00FFFFFF);
    for (size_t i = 0; i < 2; ++i)
        DrawBatch(renderer, object, i, CurrentFrameTexture(i));
}

void KV_TexParticleGenerator::CompositeBlendMask(KV_ABRender& renderer)
{
    if (!CanDrawMask())
        return;
    IDirect3DTexture9* mask = m_target->Current();
    IDirect3DTexture9* scene = renderer.GetSceneTexture().Get();
    switch (blendMode.Value()) {
    case kPlain:
        m_effect->SetTechnique("CommonTex");
        m_effect->SetTexture("Texture1", mask);
        break;
    case kScreen:
        m_effect->SetTechnique("Blend_ScreenTex");
        m_effect->SetTexture("Texture1", scene);
        m_effect->SetTexture("Texture2", mask);
        break;
    case kColourDodge:
        m_effect->SetTechnique("Blend_ColorDodgeTex");
        m_effect->SetTexture("Texture1", scene);
        m_effect->SetTexture("Texture2", mask);
        break;
    case kSum:
        m_effect->SetTechnique("Blend_SumTex");
        m_effect->SetTexture("Texture1", mask);
        break;
    default:
        // Other modes draw with what the mask pass left bound.
        break;
    }
    renderer.DrawPT(renderer.GetPictureQuad(), m_effect.Get());
}

void KV_TexParticleGenerator::RenderCoreAndGlow(KV_ABRender& renderer, KV_ParticlesObj& object,
                                                std::initializer_list<MaskDraw> cores,
                                                std::initializer_list<MaskDraw> glows)
{
    if (!CanDrawMask())
        return;
    m_effect->SetTechnique("BlendMask_Max");
    IDirect3DTexture9* core = nullptr;
    {
        const MaskPass pass(renderer, *m_target, 0x00000000);
        for (const MaskDraw& draw : cores)
            DrawBatch(renderer, object, draw.batch, CurrentFrameTexture(draw.image));
        // The glows start on a transparent target, cleared once.
        core = m_target->Flip(0x00000000).Get();
        for (const MaskDraw& draw : glows)
            DrawBatch(renderer, object, draw.batch, CurrentFrameTexture(draw.image));
    }
    m_effect->SetTechnique("Main");
    m_effect->SetTexture("Texture1", renderer.GetSceneTexture().Get());
    m_effect->SetTexture("Texture2", m_target->Current());
    m_effect->SetTexture("Texture3", core);
    renderer.DrawPT(renderer.GetPictureQuad(), m_effect.Get());
}

void KV_TexParticleGenerator::RenderCoreAndGlow(KV_ABRender& renderer, KV_ParticlesObj& object)
{
    RenderCoreAndGlow(renderer, object, {{0, 0}}, {{1, 0}});
}
