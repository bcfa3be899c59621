// The textured layer of the generators: pictures, an effect, two colours,
// how the particles are blended with the scene, and the blend mask (a
// render-target pair of the document's) they are drawn into first.
#pragma once

#include <initializer_list>
#include <vector>

#include <d3dx9.h>

#include "particles/generators/particle_generator.h"
#include "scene/light/mask_pass.h"
#include "scene/model/media_color.h"
#include "scene/render/shared_com.h"
#include "scene/resources/kv_filelink3.h"
#include "scene/resources/kv_imagefilelink.h"
#include "scene/resources/resource_key.h"
#include "scene/resources/texture_sequence.h"

class RenderTargetPair;

class KV_TexParticleGenerator : public KV_ParticleGenerator {
public:
    enum BlendMode { kPlain = 0, kScreen = 1, kColourDodge = 2, kSum = 3 };

    KV_TexParticleGenerator() = default;
    // Shares the loaded textures, the effect, the target and its key.
    KV_TexParticleGenerator(const KV_TexParticleGenerator&) = default;
    ~KV_TexParticleGenerator() override;

    void Write(KV_IOF_Virtual& archive) const override { WriteRecord(archive); }
    ImageInfo GetImageInfo() const override;
    // The pictures and the effect through the current resource manager;
    // batches and the target are the kind's.
    void RestoreResources(KV_ParticlesObj& object) override;
    // Screen and colour dodge read the scene.
    bool ReadsScene() const override;

    // Null beyond the loaded images and for one without frames.
    IDirect3DTexture9* CurrentFrameTexture(size_t i) const;
    ID3DXEffect* Effect() const { return m_effect.Get(); }
    RenderTargetPair* Target() const { return m_target; }
    const GuidKey& TargetKey() const { return m_targetKey; }

    void ReadRecord(KV_IOF_Virtual& archive);
    void ReadFields(KV_IOF_Virtual& archive, DWORD version);
    void WriteRecord(KV_IOF_Virtual& archive) const;
    void WriteFields(KV_IOF_Virtual& archive) const;

    std::vector<KV_ImageFileLink> images;
    KV_HLSLEffectFile effectLink;
    MediaColor firstColour;
    MediaColor secondColour;
    MediaParamT<int> blendMode;
    MediaParamT<int> verticalMirror;
    MediaParamT<int> horizontalMirror;
    int32_t sequenceFlag = 0;

protected:
    // The first loaded image, whose frames the animations step; null when
    // there is none.
    TextureSequence* FirstImage();
    // Batch 0 with the first image's current frame on stage 0, through the
    // effect as it stands, or blended straight on without one.
    void DrawBatchWithFirstImage(KV_ABRender& renderer, KV_ParticlesObj& object);
    // The document's pair under this generator's key, at the back-buffer
    // size: every copy of one description shares it.
    void AcquireBlendMask();
    // Batch 0 into the mask and composited, or without an effect or a
    // target straight onto the current target.
    void RenderBlendedBatch(KV_ABRender& renderer, IDirect3DTexture9* texture, KV_ParticlesObj& object);
    // Batch 0 with image 0, then batch 1 with image 1, into a mask cleared
    // to transparent white.
    void RenderJoinMask(KV_ABRender& renderer, KV_ParticlesObj& object);
    // The mask over the picture area, by the blend mode.
    void CompositeBlendMask(KV_ABRender& renderer);
    // A batch drawn with one of the pictures.
    struct MaskDraw {
        size_t batch;
        size_t image;
    };
    // The cores into the mask, the glows into the pair's other texture
    // (keeping the brightest), then both laid over the scene by "Main".
    void RenderCoreAndGlow(KV_ABRender& renderer, KV_ParticlesObj& object, std::initializer_list<MaskDraw> cores,
                           std::initializer_list<MaskDraw> glows);
    // Batch 0 as the cores and batch 1 as the glows, both with image 0.
    void RenderCoreAndGlow(KV_ABRender& renderer, KV_ParticlesObj& object);
    // Whether the mask passes can draw: an effect and a pair holding its
    // textures (a pair released for a device reset holds none).
    bool CanDrawMask() const;
    void DrawBatch(KV_ABRender& renderer, KV_ParticlesObj& object, size_t batch, IDirect3DTexture9* texture);

    std::vector<TextureSequence> m_loadedImages;
    SharedCom<ID3DXEffect> m_effect;
    RenderTargetPair* m_target = nullptr;
    GuidKey m_targetKey;
    KV_ParticlesObj* m_object = nullptr;
};
