// Clouds of a picture drifting along the direction inside the mask, tilted
// into a perspective.
#pragma once

#include <array>

#include "effects/screenfx/direction_based.h"
#include "scene/model/media_color.h"
#include "scene/resources/kv_imagefilelink.h"
#include "scene/resources/texture_sequence.h"

// How the clouds lie in depth: a block of the cloud record of its own.
class CloudPerspective {
public:
    void Apply(ID3DXEffect& effect) const;
    void Read(KV_IOF_Virtual& archive);
    void Write(KV_IOF_Virtual& archive) const;

    UINTSclaleTo<float> perspectiveDepth{0, 0.02f, 1.0f};
    UINTSclaleTo<float> perspectiveHeight{0, 0.25f, 0.0f};
    UINTSclaleTo<float> perspectiveShift{0, 0.01f, 0.0f};
    MediaParamT<int> perspectiveFlip{0};
    UINTSclaleTo<float> perspectiveSpare1{0, 0.1f, 1.0f};
    UINTSclaleTo<float> perspectiveSpare2{0, 0.01f, 0.0f};
};

class KV_CloudFX : public KV_DirectionBased {
public:
    KV_CloudFX();
    KV_CloudFX(const KV_CloudFX&) = default;

    void Write(KV_IOF_Virtual& archive) const override;
    void LoadResources(MaskSlot& slot) override;
    void BuildMesh() override;
    void Render(KV_ABRender& renderer) override;
    std::unique_ptr<KV_FX_Constructor> Clone() const override;
    // Its "Background" is the cloud picture: it never sees the scene.
    bool ReadsScene() const override { return false; }
    void Read(KV_IOF_Virtual& archive, DWORD) { ReadFields(archive); }
    void ReadFields(KV_IOF_Virtual& archive);
    void WriteFields(KV_IOF_Virtual& archive) const;

    MediaColor cloudColour1;
    MediaColor cloudColour2;
    KV_ImageFileLink cloudLink;
    KV_ImageFileLink spareCloudLink;
    UINTSclaleTo<float> cloudThreshold{0, 0.02f, 1.0f};
    UINTSclaleTo<float> cloudDensity{0, 0.02f, 0.0f};
    CloudPerspective perspective;
    TextureSequence cloudPicture;
    // The placement's width and left edge, height and top edge, as
    // fractions of the picture: where the mask lies under the grid.
    std::array<float, 4> maskTexShift{};
};
