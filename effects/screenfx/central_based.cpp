#include "effects/screenfx/central_based.h"

#include "effects/screenfx/fx_params.h"
#include "scene/document/record.h"
#include "scene/model/picture_placement.h"

namespace {

constexpr DWORD kCentralBasedVersion = 1;

} // namespace

KV_CentralBased::KV_CentralBased(INT effectId, unsigned int speedValue, float speedFactor)
    : KV_FX_Constructor(effectId, speedValue, speedFactor),
      centre(D3DXVECTOR3(static_cast<float>(g_picturePlacement->pictureWidth) * 0.5f,
                         static_cast<float>(g_picturePlacement->pictureHeight) * 0.5f, 0.0f))
{
}

bool KV_CentralBased::CentreInPicture(D3DXVECTOR2& fraction) const
{
    const int w = g_picturePlacement->pictureWidth;
    const int h = g_picturePlacement->pictureHeight;
    if (w <= 0 || h <= 0)
        return false;
    fraction = {centre.Value().x / static_cast<float>(w), centre.Value().y / static_cast<float>(h)};
    return true;
}

void KV_CentralBased::SetCentreParam(const char* name, const D3DXVECTOR2& fraction)
{
    SetFloats(*effect.Get(), name, {fraction.x, fraction.y});
}

void KV_CentralBased::SetCenter(KV_ABRender& renderer)
{
    D3DXVECTOR2 fraction;
    if (!CanDrawScreenPass(renderer) || !CentreInPicture(fraction))
        return;
    SetCommonParams(renderer);
    SetCentreParam("Center", fraction);
}

void KV_CentralBased::WriteRecord(KV_IOF_Virtual& archive) const
{
    WriteRecordFrame(archive, L"KV_CentralBased", kCentralBasedVersion);
    const D3DXVECTOR3& c = centre.Value();
    archive.WriteFloat(&c.x);
    archive.WriteFloat(&c.y);
    archive.WriteFloat(&c.z);
    KV_FX_Constructor::WriteRecord(archive);
}

void KV_CentralBased::ReadRecord(KV_IOF_Virtual& archive, KV_CentralBased& description)
{
    ReadRecordVersion(archive);
    D3DXVECTOR3& c = description.centre.Value();
    archive.ReadFloat(&c.x);
    archive.ReadFloat(&c.y);
    archive.ReadFloat(&c.z);
    KV_FX_Constructor::ReadRecord(archive, description);
}
