#include "particles/sprites/sprite_array_obj.h"

#include "particles/sprites/particle_system_ctrl.h"
#include "scene/light/kv_abrender.h"
#include "scene/resources/kv_docresmanager.h"

KV_SpriteArrayObj::KV_SpriteArrayObj(std::unique_ptr<KV_ParticleSystemCtrl> description)
    : KV_ABObj(std::move(description)), m_sprites(static_cast<KV_ParticleSystemCtrl*>(&Description())),
      m_geometry(*m_sprites)
{
    if (g_currentDocResManager) {
        const KV_FileLink3& link = m_sprites->image;
        m_geometry.SetSequence(m_sprites->imageKind == 1 ? g_currentDocResManager->GetImageSequence(link)
                                                         : g_currentDocResManager->GetImage(link));
    }
    m_geometry.BindCount();
    if (g_currentDocResManager && !m_sprites->secondImage.GetPath().empty())
        m_secondTexture.Share(g_currentDocResManager->GetImage(m_sprites->secondImage).CurrentFrame());
}

KV_SpriteArrayObj::~KV_SpriteArrayObj() = default;

void KV_SpriteArrayObj::Render(KV_ABRender& renderer) { renderer.DrawMeshTwoTextures(*this); }
void KV_SpriteArrayObj::Signal(int, int) {}
void KV_SpriteArrayObj::UpdateLayout() { m_sprites->UpdatePixelRect(); }
bool KV_SpriteArrayObj::ReadsScene() const { return false; }

bool KV_SpriteArrayObj::HitTest(POINT point) const
{
    return m_sprites->HitTest(static_cast<float>(point.x), static_cast<float>(point.y));
}

void KV_SpriteArrayObj::Reset()
{
    m_sprites->Reset();
    m_geometry.ClearTimers();
}

void KV_SpriteArrayObj::Update(float localTime)
{
    m_geometry.Update(localTime);
    const bool changed = m_geometry.Step(m_sprites->animationSpeed.Phase());
    if (m_sprites->staticGeometry.Value() == 0 || changed || m_geometry.NeedsFill())
        m_geometry.FillVertexBuffer(*m_sprites);
}

IDirect3DTexture9* KV_SpriteArrayObj::GetSecondTexture() const
{
    IDirect3DTexture9* texture = m_secondTexture.Get();
    if (texture)
        texture->AddRef();
    return texture;
}
