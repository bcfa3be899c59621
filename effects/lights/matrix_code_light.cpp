#include "effects/lights/matrix_code_light.h"

#include <algorithm>

#include "effects/lights/device_states.h"
#include "scene/model/float_convert.h"
#include "scene/render/view_context.h"
#include "scene/resources/kv_docresmanager.h"

using lights::SetRender;
using lights::SetStage;

namespace {

// 0x00BBGGRR with an alpha to 0xAARRGGBB.
D3DCOLOR ToArgb(DWORD colour, BYTE alpha)
{
    return static_cast<D3DCOLOR>(alpha) << 24 | (colour & 0xFF) << 16 | (colour & 0xFF00) | ((colour >> 16) & 0xFF);
}

float Luminance(BYTE red, BYTE green, BYTE blue)
{
    return red / 255.0f * 0.299f + green / 255.0f * 0.587f + blue / 255.0f * 0.114f;
}

} // namespace

KV_MatrixCodeLight::KV_MatrixCodeLight() : glyphImage(KV_FileLink3::FromResource(40, L"common_res.dll"))
{
    glyphColour.Value() = 0;
    highlightColour.Value() = 0;
}

void KV_MatrixCodeLight::Create()
{
    KV_2D_Light::Create();
    Resize(1, 1);
    const TextureRecord strip =
        g_currentDocResManager ? g_currentDocResManager->GetImage(glyphImage).GetFirstFrame() : TextureRecord();
    // A strip without width holds no glyph to divide by.
    config.glyphCount = strip.width == 0 ? 2 : static_cast<int>(strip.height / strip.width) + 2;
    batch.SetTexture(strip.Texture());
    config.cellSize = static_cast<int>(std::max(cellSize.Value(), 1u));
    config.density = static_cast<int>(std::clamp(density.Value(), 1u, 100u));
    config.sparkleCount = static_cast<int>(std::min(sparkleCount.Value(), 0x7FFFFFFFu));
    config.glints = glints.Value();
    config.columnStyle = columnStyle.Value();
    RebuildGrid();
    ResizeBatch();
    BuildLuminanceMap();
}

// A cell size from the document that would give more cells than any
// screen shows is raised until the grid fits.
void KV_MatrixCodeLight::RebuildGrid()
{
    const long long width = std::max(g_picturePlacement->pictureWidth, 0);
    const long long height = std::max(g_picturePlacement->pictureHeight, 0);
    config.cellSize = std::max(config.cellSize, 1);
    while ((width / config.cellSize + 1) * (height / config.cellSize + 1) > kMaxCells)
        ++config.cellSize;
    grid = GlyphGrid::Create(config, g_picturePlacement->pictureWidth, g_picturePlacement->pictureHeight);
}

void KV_MatrixCodeLight::ResizeBatch()
{
    const int size = std::max(config.cellSize, 1);
    const int rows = std::max(g_picturePlacement->pictureHeight, 0) / size + 1;
    const int cols = std::max(g_picturePlacement->pictureWidth, 0) / size + 1;
    batch.Resize(rows * cols);
}

// The copy's format is what D3DX chose for the one asked for: read as it is.
void KV_MatrixCodeLight::BuildLuminanceMap()
{
    luminance.clear();
    if (backgroundMode.Value() != 1 || !m_pictureQuad.texture)
        return;
    TextureHolder copy;
    CreateTextureCopy(kLuminanceSide, kLuminanceSide, m_pictureQuad.texture.Get(), D3DFMT_R8G8B8, copy);
    D3DSURFACE_DESC desc{};
    if (!copy || FAILED(copy->GetLevelDesc(0, &desc)) || desc.Width != kLuminanceSide ||
        desc.Height != kLuminanceSide)
        return;
    const bool fourBytes = desc.Format == D3DFMT_X8R8G8B8 || desc.Format == D3DFMT_A8R8G8B8;
    const UINT bytes = desc.Format == D3DFMT_R8G8B8 ? 3 : fourBytes ? 4 : 0;
    D3DLOCKED_RECT locked{};
    if (bytes == 0 || FAILED(copy->LockRect(0, &locked, nullptr, D3DLOCK_READONLY)))
        return;
    luminance.resize(static_cast<size_t>(kLuminanceSide) * kLuminanceSide);
    for (UINT y = 0; y < kLuminanceSide; ++y) {
        const BYTE* row = static_cast<const BYTE*>(locked.pBits) + static_cast<ptrdiff_t>(y) * locked.Pitch;
        for (UINT x = 0; x < kLuminanceSide; ++x) {
            const BYTE* texel = row + x * bytes;
            luminance[y * kLuminanceSide + x] = Luminance(texel[2], texel[1], texel[0]);
        }
    }
    copy->UnlockRect(0);
}

void KV_MatrixCodeLight::RestoreDeviceObjects()
{
    KV_2D_Light::RestoreDeviceObjects();
    SetStage(0, D3DTSS_COLOROP, D3DTOP_MODULATE);
    SetStage(0, D3DTSS_ALPHAOP, D3DTOP_MODULATE);
}

void KV_MatrixCodeLight::FrameMove(float t) { time = t; }

void KV_MatrixCodeLight::RenderBackground(int flag)
{
    UpdateGlyphs(time);
    if (backgroundMode.Value() == 0)
        KV_2D_Light::RenderBackground(flag);
    else if (backgroundMode.Value() == 1)
        g_currentDevice->Clear(0, nullptr, D3DCLEAR_TARGET, 0xFF000000, 1.0f, 0);
    SetStage(0, D3DTSS_COLOROP, D3DTOP_MODULATE);
    SetRender(D3DRS_ALPHABLENDENABLE, TRUE);
    batch.Draw();
    SetRender(D3DRS_ALPHABLENDENABLE, FALSE);
}

D3DCOLOR KV_MatrixCodeLight::QuadColour(const GlyphQuad& quad) const
{
    if (!quad.visible)
        return 0;
    float opacity = glyphTransparency.Result();
    if (quad.brightness == 0)
        opacity *= 0.5f;
    if (backgroundMode.Value() == 1 && quad.brightness < 2 && !luminance.empty()) {
        const int y = SaturatingTruncate<int>(256.0f * static_cast<float>(quad.row) / static_cast<float>(grid->rows));
        const int x =
            SaturatingTruncate<int>(256.0f * static_cast<float>(quad.column) / static_cast<float>(grid->cols));
        opacity = luminance[static_cast<size_t>(std::clamp(y, 0, 255)) * kLuminanceSide +
                            static_cast<size_t>(std::clamp(x, 0, 255))] *
                  glyphTransparency.Result();
    }
    const DWORD colour = quad.brightness == 2 ? highlightColour.Value() : glyphColour.Value();
    return ToArgb(colour, AlphaByte(opacity));
}

void KV_MatrixCodeLight::UpdateGlyphs(float t)
{
    camera.FrameMove(t);
    if (!grid)
        return;
    const PicturePlacement& placement = *g_picturePlacement;
    const float pictureWidth = static_cast<float>(std::max(placement.pictureWidth, 1));
    const float pictureHeight = static_cast<float>(std::max(placement.pictureHeight, 1));
    const ScreenQuad& fitted = placement.fitQuad;
    const float unitX = (fitted.Right() - fitted.Left()) * 0.5f / pictureWidth;
    const float unitY = (fitted.Bottom() - fitted.Top()) * 0.5f / pictureHeight;
    const float size = static_cast<float>(std::max(config.cellSize, 1));
    grid->left = fitted.Left();
    grid->top = fitted.Top();
    grid->halfWidth = size * unitX * targetScaleX;
    grid->halfHeight = size * unitY * targetScaleY;

    cursor.row = cursor.column = 0;
    cursor.previousVisible = cursor.visible;
    cursor.visible = 0;
    grid->StepColumns(cursor.previousVisible >= batch.count);
    grid->Spawn();

    float sx = 1.0f, sy = 1.0f, ox = 0.0f, oy = 0.0f;
    if (const ViewContext* view = g_currentRenderContext) {
        if (view->mode == ViewContext::Capture) {
            sx = 1.0f / view->inverseScaleX;
            sy = 1.0f / view->inverseScaleY;
            ox = view->modeOffsetX;
            oy = view->modeOffsetY;
        } else {
            const D3DXMATRIX q = view->zoomPan * view->modeScale;
            sx = q._11;
            sy = q._22;
            ox = q._41 / q._11;
            oy = q._42 / q._22;
        }
    }

    batch.Lock();
    GlyphQuad quad;
    for (int i = 0; i < batch.count; ++i) {
        grid->NextVisibleCell(cursor, quad);
        const D3DXVECTOR2 centre(grid->left + (quad.centreX - grid->left) * sx + 2.0f * ox * unitX * sx,
                                 grid->top + (quad.centreY - grid->top) * sy + 2.0f * oy * unitY * sy);
        batch.SetQuadCorners(i, centre, D3DXVECTOR2(grid->halfWidth * sx, 0.0f),
                             D3DXVECTOR2(0.0f, grid->halfHeight * sy));
        batch.SetQuadUV(i, 0.0f, 1.0f, quad.topV, quad.bottomV);
        batch.SetQuadColour(i, QuadColour(quad));
    }
    batch.Unlock();
}

void KV_MatrixCodeLight::DrawTexturedOverlay(const TexturedQuad& quad)
{
    KV_2D_Light::DrawTexturedOverlay(quad);
    SetStage(0, D3DTSS_ALPHAOP, D3DTOP_MODULATE);
}

void KV_MatrixCodeLight::SetPicturePosition(int mode)
{
    KV_2D_Light::SetPicturePosition(mode);
    RebuildGrid();
    ResizeBatch();
}

void KV_MatrixCodeLight::ReloadPicture()
{
    m_pictureQuad.SetPicture(pictureLink);
    Resize(m_targetWidth, m_targetHeight);
    BuildLuminanceMap();
    RebuildGrid();
    ResizeBatch();
}

void KV_MatrixCodeLight::PushRenderTarget(const RenderTargetPair& pair, int mode)
{
    KV_2D_Light::PushRenderTarget(pair, mode);
    const D3DSURFACE_DESC backBuffer = GetBackBufferDesc();
    targetScaleX = backBuffer.Width ? static_cast<float>(pair.width) / static_cast<float>(backBuffer.Width) : 1.0f;
    targetScaleY = backBuffer.Height ? static_cast<float>(pair.height) / static_cast<float>(backBuffer.Height) : 1.0f;
}

void KV_MatrixCodeLight::PopRenderTarget()
{
    KV_2D_Light::PopRenderTarget();
    targetScaleX = targetScaleY = 1.0f;
}
