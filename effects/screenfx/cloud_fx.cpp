#include "effects/screenfx/cloud_fx.h"

#include "effects/screenfx/fx_params.h"
#include "scene/document/reader_registry.h"
#include "scene/document/record.h"
#include "scene/light/kv_abrender.h"
#include "scene/model/picture_placement.h"

namespace {

constexpr DWORD kCloudVersion = 1;

const RegisterReader<KV_CloudFX, KV_ABObj_Constructor> registration(L"KV_CloudFX");

} // namespace

// The depth is at least 1, so it never divides by 0.
void CloudPerspective::Apply(ID3DXEffect& effect) const
{
    const float d = perspectiveDepth.Result();
    const float h = perspectiveHeight.Result();
    const float s = perspectiveShift.Result();
    effect.SetFloat("PX_Transform", (d - 1.0f) / d);
    effect.SetFloat("PY_TransformH", 1.0f + h / d);
    effect.SetFloat("PY_TransformZ", h);
    if (perspectiveFlip.Value() != 0)
        SetFloats(effect, "tex_shift", {1.0f, -1.0f, -s, 1.0f});
    else
        SetFloats(effect, "tex_shift", {1.0f, 1.0f, -s, 0.0f});
}

void CloudPerspective::Write(KV_IOF_Virtual& archive) const
{
    archive.WriteUInt(&perspectiveDepth.Value());
    archive.WriteUInt(&perspectiveHeight.Value());
    archive.WriteUInt(&perspectiveShift.Value());
    archive.WriteInt(&perspectiveFlip.Value());
    archive.WriteUInt(&perspectiveSpare1.Value());
    archive.WriteUInt(&perspectiveSpare2.Value());
}

void CloudPerspective::Read(KV_IOF_Virtual& archive)
{
    ReadScaledValue(archive, perspectiveDepth);
    ReadScaledValue(archive, perspectiveHeight);
    ReadScaledValue(archive, perspectiveShift);
    archive.ReadInt(&perspectiveFlip.Value());
    ReadScaledValue(archive, perspectiveSpare1);
    ReadScaledValue(archive, perspectiveSpare2);
}

KV_CloudFX::KV_CloudFX() : KV_DirectionBased(0, 0, 0.001f)
{
    SetScaledDefault(scale, 50, 0.008f);
    cloudColour1.SetValue(0);
    cloudColour2.SetValue(0);
}

std::unique_ptr<KV_FX_Constructor> KV_CloudFX::Clone() const { return std::make_unique<KV_CloudFX>(*this); }

void KV_CloudFX::LoadResources(MaskSlot& slot)
{
    if (g_currentDocResManager)
        cloudPicture = g_currentDocResManager->GetImage(cloudLink);
    KV_FX_Constructor::LoadResources(slot);
    BuildGrid(2, 2);
    BuildMesh();
}

// The clouds span the placement once; before a picture is laid out the
// mask's place is unknown and stays at 0.
void KV_CloudFX::BuildMesh()
{
    FillGrid({D3DXVECTOR2(0, 0), D3DXVECTOR2(0, 1), D3DXVECTOR2(1, 0), D3DXVECTOR2(1, 1)});
    const float w = static_cast<float>(g_picturePlacement->pictureWidth);
    const float h = static_cast<float>(g_picturePlacement->pictureHeight);
    if (w <= 0.0f || h <= 0.0f) {
        maskTexShift = {};
        return;
    }
    const D3DXVECTOR3& c0 = placement.corners[0].Value();
    const D3DXVECTOR3& c2 = placement.corners[2].Value();
    const D3DXVECTOR3& c3 = placement.corners[3].Value();
    maskTexShift = {(c2.x - c0.x) / w, c0.x / w, (c3.y - c2.y) / h, c0.y / h};
}

void KV_CloudFX::Render(KV_ABRender& renderer)
{
    if (!CanDrawScreenPass(renderer))
        return;
    ID3DXEffect& fx = *effect.Get();
    fx.SetTexture("Mask", maskTexture.Get());
    if (IDirect3DTexture9* clouds = cloudPicture.CurrentFrame())
        fx.SetTexture("Background", clouds);
    const float S = scale.Result();
    SetFloats(fx, "Scale", {Aspect(renderer) / S, 1.0f / S});
    fx.SetFloat("Threshold", cloudThreshold.Result());
    fx.SetFloat("Density", cloudDensity.Result());
    const ColourFloats shade = SplitColour(cloudColour1.Value());
    const ColourFloats light = SplitColour(cloudColour2.Value());
    SetFloats(fx, "ColorK1", {shade.red, shade.green, shade.blue});
    SetFloats(fx, "ColorK2", {light.red, light.green, light.blue});
    const float phase = speed.Phase();
    SetFloats(fx, "Velocity", {-direction.x * phase, -direction.y * phase});
    fx.SetFloatArray("mask_tex_shift", maskTexShift.data(), static_cast<UINT>(maskTexShift.size()));
    perspective.Apply(fx);
    DrawMeshPass(renderer);
}

void KV_CloudFX::Write(KV_IOF_Virtual& archive) const
{
    WriteRecordFrame(archive, L"KV_CloudFX", kCloudVersion);
    WriteFields(archive);
}

void KV_CloudFX::WriteFields(KV_IOF_Virtual& archive) const
{
    archive.WriteDword(&cloudColour1.Value());
    archive.WriteDword(&cloudColour2.Value());
    WriteImageLink(archive, cloudLink);
    WriteImageLink(archive, spareCloudLink);
    archive.WriteUInt(&cloudThreshold.Value());
    archive.WriteUInt(&cloudDensity.Value());
    perspective.Write(archive);
    KV_DirectionBased::WriteRecord(archive);
}

// The colours are stored without notification.
void KV_CloudFX::ReadFields(KV_IOF_Virtual& archive)
{
    archive.ReadDword(&cloudColour1.Value());
    archive.ReadDword(&cloudColour2.Value());
    ReadFileLink(archive, cloudLink);
    ReadFileLink(archive, spareCloudLink);
    ReadScaledValue(archive, cloudThreshold);
    ReadScaledValue(archive, cloudDensity);
    perspective.Read(archive);
    KV_DirectionBased::ReadRecord(archive, *this);
}
