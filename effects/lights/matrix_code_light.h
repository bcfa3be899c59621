// A background layer that covers the picture's area with square cells in
// which trains of glyphs fall down the columns; every cell is one quad of
// a batch drawn over the picture, over black or over nothing.
#pragma once

#include <memory>
#include <vector>

#include "effects/lights/glyph_grid.h"
#include "scene/light/kv_2d_light.h"
#include "scene/model/media_color.h"
#include "scene/model/scaled_param.h"
#include "scene/model/undo_ctrl.h"
#include "scene/render/quad_batch.h"

class KV_MatrixCodeLight : public KV_2D_Light {
public:
    static constexpr UINT kLuminanceSide = 256;
    static constexpr long long kMaxCells = 1 << 18;

    KV_MatrixCodeLight();

    void Read(KV_IOF_Virtual& archive, DWORD version);
    void Write(KV_IOF_Virtual& archive) const override;

    void PushRenderTarget(const RenderTargetPair& pair, int mode) override;
    void PopRenderTarget() override;
    void Create() override;
    void RestoreDeviceObjects() override;
    void RenderBackground(int flag) override;
    void FrameMove(float time) override;
    void SetPicturePosition(int mode) override;
    void DrawTexturedOverlay(const TexturedQuad& quad) override;
    void ReloadPicture() override;

    void RebuildGrid();
    void ResizeBatch();
    void BuildLuminanceMap();
    void UpdateGlyphs(float time);

    MediaParamT<unsigned int> cellSize{16};
    MediaParamT<unsigned int> density{20};
    MediaParamT<unsigned int> sparkleCount{50};
    MediaParamT<int> glints{0};
    MediaParamT<int> backgroundMode{0};
    MediaParamT<int> columnStyle{2};
    MediaColor glyphColour;
    MediaColor highlightColour;
    UINTSclaleTo<float> glyphTransparency{0, -0.01f, 1.0f};
    KV_ImageFileLink glyphImage;
    QuadBatch batch;
    std::unique_ptr<GlyphGrid> grid;
    GlyphCursor cursor;
    GlyphConfig config{16, 20, 10, 0, 0, 1};
    // Row-major, empty when there is none.
    std::vector<float> luminance;
    float time = 0.0f;
    float targetScaleX = 1.0f;
    float targetScaleY = 1.0f;

private:
    D3DCOLOR QuadColour(const GlyphQuad& quad) const;
};
