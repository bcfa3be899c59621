#include "effects/screenfx/water_fx.h"

#include <algorithm>
#include <cmath>

#include "effects/screenfx/fx_params.h"
#include "scene/document/reader_registry.h"
#include "scene/document/record.h"
#include "scene/light/kv_abrender.h"

namespace {

constexpr DWORD kWaterVersion = 1;
// The surface remap divides by zero at level 1.
constexpr float kHighestSurface = 0.9999f;

const RegisterReader<KV_WaterFX, KV_ABObj_Constructor> registration(L"KV_WaterFX");

// The perspective remap of the surface at level h: (s + q) / (q - 1) with
// q = 2 / h - 1 and s its root; its limit 1 at level 0.
float SurfaceRemap(float h)
{
    if (h <= 0.0f)
        return 1.0f;
    const float q = 2.0f / h - 1.0f;
    return (std::sqrt(q) + q) / (q - 1.0f);
}

} // namespace

KV_WaterFX::KV_WaterFX() : KV_FX_Constructor(90, 50, 0.02f), bumpLink(KV_FileLink3::FromResource(89, kCommonModule))
{
    scale.SetValue(30);
    BindDirection();
}

KV_WaterFX::KV_WaterFX(const KV_WaterFX& other)
    : KV_FX_Constructor(other), surfaceLevel(other.surfaceLevel), bumpStrength(other.bumpStrength),
      flowScale(other.flowScale), waveLength(other.waveLength), flowAngle(other.flowAngle),
      shadowStrength(other.shadowStrength), lightHeight(other.lightHeight), waterColour(other.waterColour),
      bumpLink(other.bumpLink), bumpTexture(other.bumpTexture), bumpTransform(other.bumpTransform)
{
    BindDirection();
}

void KV_WaterFX::BindDirection()
{
    m_controls.SetOwner(this);
    BindCallback(m_controls, this, flowAngle, &KV_WaterFX::UpdateDirection);
    UpdateDirection();
}

std::unique_ptr<KV_FX_Constructor> KV_WaterFX::Clone() const { return std::make_unique<KV_WaterFX>(*this); }

void KV_WaterFX::UpdateDirection()
{
    flowDirection = TurnedAboutZ(D3DXVECTOR4(1, 0, 0, 0), Radians(static_cast<float>(flowAngle.Value())));
}

// A bump picture without frames leaves no bump texture.
void KV_WaterFX::LoadResources(MaskSlot& slot)
{
    if (g_currentDocResManager)
        bumpTexture.Share(g_currentDocResManager->GetImage(bumpLink).CurrentFrame());
    KV_FX_Constructor::LoadResources(slot);
}

void KV_WaterFX::Update(float time)
{
    KV_FX_Constructor::Update(time);
    const float x = speed.Phase() * 0.5f * 9.0f;
    const float k = bumpStrength.Result();
    bumpTransform = {k * Cos(x), -k * Sin(x), k * Sin(x), k * Cos(x)};
}

void KV_WaterFX::Render(KV_ABRender& renderer)
{
    if (!CanDrawScreenPass(renderer))
        return;
    ID3DXEffect& fx = *effect.Get();
    const float L = waveLength.Result();
    const float w = flowScale.Result();
    const D3DXVECTOR4& d = flowDirection;
    const float h = std::min(surfaceLevel.Result(), kHighestSurface);
    fx.SetTexture("BumpMap", bumpTexture.Get());
    fx.SetFloatArray("BampTrans", bumpTransform.data(), static_cast<UINT>(bumpTransform.size()));
    SetFloats(fx, "P1", {h - 1.0f, -1.0f, h - 1.0f});
    SetFloats(fx, "P2", {1.0f, SurfaceRemap(h), 1.0f});
    fx.SetFloat("Time", 2.0f * speed.Phase());
    SetFloats(fx, "Direction1", {-d.x * 0.5f / L, -d.y * 0.5f / L});
    SetFloats(fx, "Direction2", {-d.x * 0.5f * w, -d.y * 0.5f * w});
    fx.SetFloat("Shadows", shadowStrength.Result());
    D3DXVECTOR3 vhalf;
    const D3DXVECTOR3 light(1.0f, 2.0f, lightHeight.Result());
    D3DXVec3Normalize(&vhalf, &light);
    SetFloats(fx, "Vhalf", {vhalf.x, vhalf.y, vhalf.z});
    const ColourFloats colour = SplitColour(waterColour.Value());
    SetFloats(fx, "Color", {colour.red, colour.green, colour.blue});
    DrawScreenPass(renderer);
}

void KV_WaterFX::Write(KV_IOF_Virtual& archive) const
{
    WriteRecordFrame(archive, L"KV_WaterFX", kWaterVersion);
    for (const UINTSclaleTo<float>* value : {&surfaceLevel, &bumpStrength, &flowScale, &waveLength})
        archive.WriteUInt(&value->Value());
    archive.WriteUInt(&flowAngle.Value());
    archive.WriteUInt(&shadowStrength.Value());
    archive.WriteUInt(&lightHeight.Value());
    archive.WriteDword(&waterColour.Value());
    WriteImageLink(archive, bumpLink);
    KV_FX_Constructor::WriteRecord(archive);
}

// The angle and the colour are stored without notification.
void KV_WaterFX::Read(KV_IOF_Virtual& archive, DWORD)
{
    for (UINTSclaleTo<float>* value : {&surfaceLevel, &bumpStrength, &flowScale, &waveLength})
        ReadScaledValue(archive, *value);
    archive.ReadUInt(&flowAngle.Value());
    ReadScaledValue(archive, shadowStrength);
    ReadScaledValue(archive, lightHeight);
    archive.ReadDword(&waterColour.Value());
    ReadFileLink(archive, bumpLink);
    KV_FX_Constructor::ReadRecord(archive, *this);
}
