#include "effects/screenfx/rotation_fx.h"

#include "effects/screenfx/fx_params.h"
#include "scene/document/reader_registry.h"
#include "scene/document/record.h"
#include "scene/light/kv_abrender.h"

namespace {

constexpr DWORD kRotationVersion = 1;
// The time line's speed modes: the turning slows down with the fades (this
// kind's default), or the effect fades by its alpha.
constexpr int kFadingSpeedMode = 2;
constexpr int kOpacitySpeedMode = 1;

const RegisterReader<KV_RotationFX, KV_ABObj_Constructor> registration(L"KV_RotationFX");

D3DXMATRIX RotationZ(float radians)
{
    D3DXMATRIX m;
    D3DXMatrixRotationZ(&m, radians);
    return m;
}

} // namespace

KV_RotationFX::KV_RotationFX() : KV_CentralBased(0, 0, 0.005f)
{
    TimeLine().speedMode.Value() = kFadingSpeedMode;
}

std::unique_ptr<KV_FX_Constructor> KV_RotationFX::Clone() const { return std::make_unique<KV_RotationFX>(*this); }

// The phase is the angle in radians.
void KV_RotationFX::Update(float time)
{
    KV_FX_Constructor::Update(time);
    rotation = rotateReverse.Value() == 0 ? speed.Phase() : -speed.Phase();
}

// The ellipse's ratio divides: a flat ellipse (0, the stored default)
// turns nothing and draws nothing.
void KV_RotationFX::Render(KV_ABRender& renderer)
{
    const float k = ellipseRatio.Result();
    D3DXVECTOR2 centreFraction;
    if (!CanDrawScreenPass(renderer) || k == 0.0f || !CentreInPicture(centreFraction))
        return;
    D3DXMATRIX r = RotationZ(rotation);
    r._12 *= k;
    r._21 /= k;
    const float alpha = Radians(static_cast<float>(ellipseAngle.Value()));
    const D3DXMATRIX u = RotationZ(-alpha) * r * RotationZ(alpha);
    ID3DXEffect& fx = *effect.Get();
    SetFloats(fx, "coord_transf", {u._11, u._12, u._21, u._22});
    SetFloats(fx, "offset", {-centreFraction.x, -centreFraction.y});
    const float a = TimeLine().speedMode.Value() == kOpacitySpeedMode ? Opacity() : 1.0f;
    SetFloats(fx, "mix_color", {1.0f, 1.0f, 1.0f, a});
    DrawScreenPass(renderer);
}

void KV_RotationFX::Write(KV_IOF_Virtual& archive) const
{
    WriteRecordFrame(archive, L"KV_RotationFX", kRotationVersion);
    archive.WriteUInt(&ellipseRatio.Value());
    archive.WriteUInt(&ellipseAngle.Value());
    archive.WriteInt(&rotateReverse.Value());
    KV_CentralBased::WriteRecord(archive);
}

void KV_RotationFX::Read(KV_IOF_Virtual& archive, DWORD)
{
    ReadScaledValue(archive, ellipseRatio);
    archive.ReadUInt(&ellipseAngle.Value());
    archive.ReadInt(&rotateReverse.Value());
    KV_CentralBased::ReadRecord(archive, *this);
}
