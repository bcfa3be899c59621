#include "effects/screenfx/fx_constructor.h"

#include <algorithm>

#include "effects/screenfx/brush_obj.h"
#include "effects/screenfx/fx_params.h"
#include "scene/light/kv_abrender.h"
#include "scene/light/picture_quad.h"
#include "scene/model/picture_placement.h"
#include "scene/render/d3d_helpers.h"
#include "scene/resources/kv_docresmanager.h"

KV_FX_Constructor::KV_FX_Constructor(INT effectId, unsigned int speedValue, float speedFactor)
    : effectLink(effectId != 0 ? KV_FileLink3::FromResource(effectId, kCommonModule) : KV_FileLink3())
{
    speed.SetFactor(speedFactor);
    speed.StoreAndNotify(speedValue);
}

KV_FX_Constructor::KV_FX_Constructor(const KV_FX_Constructor& other)
    : KV_ABObj_Constructor(other), speed(other.speed), usesBackground(other.usesBackground),
      effectLink(other.effectLink), scale(other.scale), placement(other.placement),
      placementInt(other.placementInt), maskKey(other.maskKey), maskTexture(other.maskTexture),
      effect(other.effect), gridMesh(other.gridMesh), gridColumns(other.gridColumns), gridRows(other.gridRows)
{
}

KV_FX_Constructor::~KV_FX_Constructor() = default;

std::unique_ptr<KV_ABObj> KV_FX_Constructor::CreateObject() const { return std::make_unique<KV_BrushObj>(Clone()); }

void KV_FX_Constructor::AssignKey()
{
    maskTexture.Reset();
    maskKey = GuidKey();
}

void KV_FX_Constructor::LoadResources(MaskSlot& slot)
{
    effect.Reset(g_currentDocResManager ? g_currentDocResManager->GetEffect(effectLink) : nullptr);
    SetMaskTexture(slot);
}

void KV_FX_Constructor::SetMaskTexture(const MaskSlot& slot) { maskTexture.Share(slot.Get()); }

void KV_FX_Constructor::Update(float time) { speed.Advance(time); }

void KV_FX_Constructor::BuildGrid(int columns, int rows)
{
    gridColumns = columns;
    gridRows = rows;
    const UINT across = static_cast<UINT>(std::max(columns, 0)) + 1;
    const UINT down = static_cast<UINT>(std::max(rows, 0)) + 1;
    CreateVertexBufferPT(across * down, gridMesh.vertexBuffer);
    gridMesh.vertexCount = gridMesh.vertexBuffer ? across * down : 0;
    gridMesh.primitiveType = D3DPT_TRIANGLELIST;
    gridMesh.primitiveCount = 0;
    CreateGridIndexBuffer(across, down, gridMesh.indexBuffer);
    gridMesh.triangleCount = gridMesh.indexBuffer ? 2 * (across - 1) * (down - 1) : 0;
}

// Texture coordinates are picture uv: without a laid-out picture there is
// nothing to divide by, and the grid is left as it was.
void KV_FX_Constructor::BuildMesh()
{
    const float w = static_cast<float>(g_picturePlacement->pictureWidth);
    const float h = static_cast<float>(g_picturePlacement->pictureHeight);
    if (w <= 0.0f || h <= 0.0f)
        return;
    std::array<D3DXVECTOR2, 4> coordinates;
    for (size_t k = 0; k < 4; ++k) {
        const D3DXVECTOR3& corner = placement.corners[k].Value();
        coordinates[k] = {corner.x / w, corner.y / h};
    }
    FillGrid(coordinates);
}

void KV_FX_Constructor::FillGrid(const std::array<D3DXVECTOR2, 4>& cornerCoordinates)
{
    const UINT needed = static_cast<UINT>(gridColumns + 1) * static_cast<UINT>(gridRows + 1);
    void* locked = nullptr;
    if (gridColumns < 0 || gridRows < 0 || !gridMesh.vertexBuffer || gridMesh.vertexCount < needed ||
        FAILED(gridMesh.vertexBuffer->Lock(0, 0, &locked, 0)))
        return;
    ScreenQuad quad;
    for (size_t k = 0; k < 4; ++k) {
        const D3DXVECTOR3& corner = placement.corners[k].Value();
        quad.corners[k] = {corner.x, corner.y, corner.z, cornerCoordinates[k].x, cornerCoordinates[k].y};
    }
    FillGridFromQuad(quad, static_cast<UINT>(gridColumns), static_cast<UINT>(gridRows),
                     static_cast<DX_V::PT*>(locked));
    gridMesh.vertexBuffer->Unlock();
}

float KV_FX_Constructor::Aspect(const KV_ABRender& renderer) const
{
    return static_cast<float>(renderer.GetPictureWidth()) / static_cast<float>(renderer.GetPictureHeight());
}

bool KV_FX_Constructor::CanDrawScreenPass(const KV_ABRender& renderer) const
{
    return effect && renderer.GetPictureWidth() > 0 && renderer.GetPictureHeight() > 0 && scale.Result() != 0.0f;
}

const char* KV_FX_Constructor::ScreenTechnique() const { return usesBackground.Value() != 0 ? "MainFX" : "Main"; }

void KV_FX_Constructor::DrawScreenPass(KV_ABRender& renderer)
{
    if (!CanDrawScreenPass(renderer))
        return;
    const float aspect = Aspect(renderer);
    const float s = scale.Result();
    effect->SetTechnique(ScreenTechnique());
    SetFloats(*effect.Get(), "Scale", {aspect / s, 1.0f / s});
    effect->SetTexture("Mask", maskTexture.Get());
    effect->SetTexture("Background", renderer.GetSceneTexture().Get());
    renderer.DrawPT(renderer.GetPictureQuad(), effect.Get());
}

void KV_FX_Constructor::SetCommonParams(KV_ABRender& renderer)
{
    if (!CanDrawScreenPass(renderer))
        return;
    const float aspect = Aspect(renderer);
    const float s = scale.Result();
    SetFloats(*effect.Get(), "Scale", {aspect / s, 1.0f / s, s / aspect, s});
    effect->SetTexture("Mask", maskTexture.Get());
    effect->SetTexture("Background", renderer.GetSceneTexture().Get());
    effect->SetTechnique(ScreenTechnique());
}

void KV_FX_Constructor::DrawMeshPass(KV_ABRender& renderer)
{
    if (!effect)
        return;
    effect->SetTechnique(ScreenTechnique());
    if (usesBackground.Value() == 0)
        renderer.DrawIndexedPT(gridMesh, effect.Get());
    else
        renderer.DrawPT(renderer.GetPictureQuad(), effect.Get());
}

void KV_FX_Constructor::StoreMaskCopy() const
{
    if (!g_currentDocResManager)
        return;
    MaskSlot& slot = g_currentDocResManager->GuidTextures()[maskKey];
    if (!maskTexture) {
        slot.Reset();
        return;
    }
    TextureHolder copy;
    CreateSquareTextureCopy(2, copy, maskTexture.Get());
    IDirect3DTexture9* texture = copy.Get();
    if (texture)
        texture->AddRef();
    slot.Reset(texture);
}
