// A tiled, animated pattern laid into the masked area, and the same under
// another record name.
#pragma once

#include "effects/screenfx/fx_constructor.h"
#include "scene/resources/kv_imagefilelink.h"
#include "scene/resources/texture_sequence.h"

class KV_PatternBrush : public KV_FX_Constructor {
public:
    KV_PatternBrush();
    KV_PatternBrush(const KV_PatternBrush&) = default;

    void Write(KV_IOF_Virtual& archive) const override;
    void LoadResources(MaskSlot& slot) override;
    void Update(float time) override;
    void Render(KV_ABRender& renderer) override;
    std::unique_ptr<KV_FX_Constructor> Clone() const override;

    // A pattern from a module is a frame sequence stored there.
    void LoadPattern();

    // The factory's reader: the fields, then the base part.
    void Read(KV_IOF_Virtual& archive, DWORD version);
    void WriteRecord(KV_IOF_Virtual& archive) const;
    void ReadFields(KV_IOF_Virtual& archive);

    KV_ImageFileLink patternLink;
    MediaParamT<int> flipVertical{0};
    MediaParamT<int> flipHorizontal{0};
    MediaParamT<unsigned int> patternAngle{0};
    UINTSclaleTo<float> patternZoom{100, 0.01f, 0.0f};
    UINTSclaleTo<float> patternOffsetX{0, -0.01f, 0.0f};
    UINTSclaleTo<float> patternOffsetY{0, 0.01f, 0.0f};
    TextureSequence pattern;
    unsigned int patternFrame = 0;
    float patternSwitchTime = 0.0f;
};

class KV_PatternBrushC : public KV_PatternBrush {
public:
    KV_PatternBrushC() = default;
    KV_PatternBrushC(const KV_PatternBrushC&) = default;

    // Its own frame around a whole pattern-brush record.
    void Write(KV_IOF_Virtual& archive) const override;
    std::unique_ptr<KV_FX_Constructor> Clone() const override;
    void Read(KV_IOF_Virtual& archive, DWORD version);
};
