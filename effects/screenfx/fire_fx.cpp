#include "effects/screenfx/fire_fx.h"

#include "effects/screenfx/fx_params.h"
#include "scene/document/reader_registry.h"
#include "scene/document/record.h"
#include "scene/light/kv_abrender.h"
#include "scene/render/view_context.h"

namespace {

constexpr DWORD kFireVersion = 3;

const RegisterReader<KV_FireFX, KV_ABObj_Constructor> registration(L"KV_FireFX");

IDirect3DTexture9* CurrentFrameOf(const KV_ImageFileLink& link)
{
    return g_currentDocResManager ? g_currentDocResManager->GetImage(link).CurrentFrame() : nullptr;
}

} // namespace

KV_FireFX::KV_FireFX()
    : KV_FX_Constructor(92, 50, 0.02f), firePatternLink(KV_FileLink3::FromResource(93, kCommonModule)),
      fireNoiseLink(KV_FileLink3::FromResource(8, kCommonModule))
{
    fireColour1.SetValue(0x00FFFF);
    fireColour2.SetValue(0x0000FF);
}

std::unique_ptr<KV_FX_Constructor> KV_FireFX::Clone() const { return std::make_unique<KV_FireFX>(*this); }

// Pictures without frames leave their textures empty.
void KV_FireFX::LoadResources(MaskSlot& slot)
{
    KV_FX_Constructor::LoadResources(slot);
    firePatternTexture.Share(CurrentFrameOf(firePatternLink));
    fireNoiseTexture.Share(CurrentFrameOf(fireNoiseLink));
    BuildGrid(8, 8);
    BuildMesh();
}

// The pattern runs across the placement 1 / zoom times, its base at the
// bottom edge; a zoom of 0 leaves the grid unfilled (and undrawn).
void KV_FireFX::BuildMesh()
{
    const float zoom = fireZoom.Result();
    if (zoom == 0.0f)
        return;
    const float u = 1.0f / zoom;
    FillGrid({D3DXVECTOR2(0, 0), D3DXVECTOR2(0, 1), D3DXVECTOR2(u, 0), D3DXVECTOR2(u, 1)});
}

void KV_FireFX::SetLightParams(const KV_SimpleMesh& mesh)
{
    if (!effect)
        return;
    ID3DXEffect& fx = *effect.Get();
    if (const ViewContext* view = g_currentRenderContext) {
        const D3DXMATRIX worldViewProjection = view->GetWorldViewProjection(mesh.world);
        const D3DXMATRIX viewProjection = view->GetViewProjection();
        fx.SetMatrix("WorldViewProj", &worldViewProjection);
        fx.SetMatrix("ViewProj", &viewProjection);
    }
    fx.SetTexture("Noise", fireNoiseTexture.Get());
    fx.SetTexture("Pattern", firePatternTexture.Get());
    const float phase = speed.Phase();
    SetFloats(fx, "c11", {0.0f, 1.3f * phase});
    SetFloats(fx, "c12", {0.0f, 2.1f * phase});
    SetFloats(fx, "c13", {0.0f, 2.3f * phase});
}

// "ColorK1" + t "ColorK2" runs from the second colour to the first; the
// fades dim the flames and thin them out to nothing.
void KV_FireFX::Render(KV_ABRender& renderer)
{
    if (!effect || fireZoom.Result() == 0.0f)
        return;
    SetLightParams(gridMesh);
    ID3DXEffect& fx = *effect.Get();
    const ColourFloats tip = SplitColour(fireColour2.Value());
    const ColourFloats core = SplitColour(fireColour1.Value());
    SetFloats(fx, "ColorK1", {tip.red, tip.green, tip.blue});
    SetFloats(fx, "ColorK2", {core.red - tip.red, core.green - tip.green, core.blue - tip.blue});
    const ViewContext* view = g_currentRenderContext;
    if (!view || view->mode == ViewContext::Capture)
        SetFloats(fx, "bg_scale_factor", {1.0f, 1.0f});
    else
        SetFloats(fx, "bg_scale_factor", {view->fitRatioX, view->fitRatioY});
    fx.SetTexture("Mask", maskTexture.Get());
    fx.SetTexture("Background", renderer.GetSceneTexture().Get());
    const float opacity = Opacity();
    fx.SetFloat("Brightness", fireBrightness.Result() * opacity * opacity);
    fx.SetFloat("Density", (fireDensity.Result() + 1.0f) * opacity - 1.0f);
    fx.SetTechnique("Main");
    renderer.DrawIndexedPT(gridMesh, effect.Get());
}

void KV_FireFX::Write(KV_IOF_Virtual& archive) const
{
    WriteRecordFrame(archive, L"KV_FireFX", kFireVersion);
    WriteFields(archive, *this);
}

void KV_FireFX::WriteFields(KV_IOF_Virtual& archive, const KV_FireFX& fire)
{
    archive.WriteDword(&fire.fireColour1.Value());
    archive.WriteDword(&fire.fireColour2.Value());
    archive.WriteInt(&fire.fireExtraInt.Value());
    WriteImageLink(archive, fire.firePatternLink);
    WriteImageLink(archive, fire.fireNoiseLink);
    archive.WriteUInt(&fire.fireDensity.Value());
    archive.WriteUInt(&fire.fireBrightness.Value());
    archive.WriteUInt(&fire.fireZoom.Value());
    fire.KV_FX_Constructor::WriteRecord(archive);
}

// Version 1 carries no fire fields; version 2 carries the placement and
// its int, which later versions keep in the base part.
void KV_FireFX::ReadFields(KV_IOF_Virtual& archive, KV_FireFX& fire, DWORD version)
{
    if (version == 2) {
        fire.placement.Read(archive);
        ReadLooks(archive, fire);
        archive.ReadInt(&fire.placementInt.Value());
        ReadScales(archive, fire);
    } else if (version >= 3) {
        ReadLooks(archive, fire);
        ReadScales(archive, fire);
    }
    KV_FX_Constructor::ReadRecord(archive, fire);
}

void KV_FireFX::ReadLooks(KV_IOF_Virtual& archive, KV_FireFX& fire)
{
    archive.ReadDword(&fire.fireColour1.Value());
    archive.ReadDword(&fire.fireColour2.Value());
    archive.ReadInt(&fire.fireExtraInt.Value());
    ReadFileLink(archive, fire.firePatternLink);
    ReadFileLink(archive, fire.fireNoiseLink);
}

void KV_FireFX::ReadScales(KV_IOF_Virtual& archive, KV_FireFX& fire)
{
    ReadScaledValue(archive, fire.fireDensity);
    ReadScaledValue(archive, fire.fireBrightness);
    ReadScaledValue(archive, fire.fireZoom);
}
