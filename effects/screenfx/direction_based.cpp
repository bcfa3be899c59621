#include "effects/screenfx/direction_based.h"

#include "effects/screenfx/fx_params.h"
#include "scene/document/record.h"

namespace {

constexpr DWORD kDirectionBasedVersion = 1;

} // namespace

KV_DirectionBased::KV_DirectionBased(INT effectId, unsigned int speedValue, float speedFactor)
    : KV_FX_Constructor(effectId, speedValue, speedFactor)
{
    BindDirection();
}

KV_DirectionBased::KV_DirectionBased(const KV_DirectionBased& other)
    : KV_FX_Constructor(other), directionStrength(other.directionStrength), directionAngle(other.directionAngle)
{
    BindDirection();
}

void KV_DirectionBased::BindDirection()
{
    m_controls.SetOwner(this);
    BindCallback(m_controls, this, directionAngle, &KV_DirectionBased::UpdateDirection);
    UpdateDirection();
}

void KV_DirectionBased::UpdateDirection()
{
    direction = TurnedAboutZ(D3DXVECTOR4(1, 0, 0, 0), ClockwiseRadians(directionAngle.Value()));
}

void KV_DirectionBased::WriteRecord(KV_IOF_Virtual& archive) const
{
    WriteRecordFrame(archive, L"KV_DirectionBased", kDirectionBasedVersion);
    archive.WriteUInt(&directionStrength.Value());
    archive.WriteUInt(&directionAngle.Value());
    KV_FX_Constructor::WriteRecord(archive);
}

// The angle is stored without notification: the clone made for the
// runtime object derives the direction.
void KV_DirectionBased::ReadRecord(KV_IOF_Virtual& archive, KV_DirectionBased& description)
{
    ReadRecordVersion(archive);
    ReadScaledValue(archive, description.directionStrength);
    archive.ReadUInt(&description.directionAngle.Value());
    KV_FX_Constructor::ReadRecord(archive, description);
}
