// Sprite systems drawn through an effect that the document links, and the
// runtime objects' shared rules for loading what they draw with.
#pragma once

#include "particles/sprites/particle_system_ctrl.h"
#include "scene/render/shared_com.h"
#include "scene/resources/kv_filelink3.h"

#include <d3dx9.h>

#include <memory>

class KV_FXParticleSystemCtrl : public KV_ParticleSystemCtrl {
public:
    KV_FXParticleSystemCtrl() = default;
    // The link by key; the loaded effect is shared.
    KV_FXParticleSystemCtrl(const KV_FXParticleSystemCtrl&) = default;

    // The effect through the current resource manager: null when the link
    // names none that loads, and then nothing draws.
    virtual void LoadResources();

    void WriteRecord(KV_IOF_Virtual& archive) const;
    void ReadRecord(KV_IOF_Virtual& archive);

    ID3DXEffect* Effect() const { return m_effect.Get(); }

    KV_HLSLEffectFile effectLink;

private:
    SharedCom<ID3DXEffect> m_effect;
};

// The frame at the current index of the image the link names; null for a
// link without frames, or without a current resource manager.
IDirect3DTexture9* LinkedFrame(const KV_FileLink3& link);

// A copy made by Clone as the kind it is known to be.
template <class Kind>
std::unique_ptr<Kind> AsKind(std::unique_ptr<KV_ParticleSystemCtrl> copy)
{
    return std::unique_ptr<Kind>(static_cast<Kind*>(copy.release()));
}
