// The lightning's record, version 2: twelve values and the reseed flag,
// then the string generator's record. Version 1 holds seven timings in
// milliseconds after the tenth value, meant for the time line.
#include "particles/generators/lightning.h"

#include <array>

#include "particles/generators/record_fields.h"
#include "scene/document/record.h"

namespace {

constexpr DWORD kLightningVersion = 2;

// Fades, the shown time and the hidden range; the last two are unused.
using Timings = std::array<unsigned int, 7>;

void ApplyTimings(const Timings& ms, KV_TimeLineControl& timeLine)
{
    timeLine.fadeIn.StoreAndNotify(ms[0] / 10);
    timeLine.fadeOut.StoreAndNotify(ms[1] / 10);
    timeLine.visibleRange.minimum.Value() = ms[2] / 10;
    timeLine.visibleRange.maximum.Value() = ms[2] / 10;
    timeLine.invisibleRange.minimum.Value() = ms[3] / 10;
    timeLine.invisibleRange.maximum.Value() = ms[4] / 10;
    timeLine.mode.Value() = KV_TimeLineControl::kModeCycle;
}

} // namespace

void KV_LightningGN::Read(KV_IOF_Virtual& archive, DWORD version)
{
    archive.ReadUInt(&coreWidth.Value());
    archive.ReadUInt(&passes.Value());
    ReadScaledValue(archive, displacement);
    archive.ReadUInt(&seed.Value());
    ReadScaledValue(archive, branchLength);
    ReadScaledValue(archive, branchAngle);
    ReadScaledValue(archive, tipWidth);
    archive.ReadUInt(&branches.Value());
    archive.ReadUInt(&subBranches.Value());
    archive.ReadUInt(&subSubBranches.Value());
    Timings timings{};
    const bool timed = version < 2;
    if (timed)
        for (unsigned int& value : timings)
            archive.ReadUInt(&value);
    ReadScaledValue(archive, flicker);
    archive.ReadUInt(&glowWidth.Value());
    archive.ReadInt(&reseed.Value());
    KV_StringGenerator::ReadRecord(archive);
    // After the time line of the base record, which would overwrite them.
    if (timed)
        ApplyTimings(timings, TimeLine());
}

void KV_LightningGN::WriteRecord(KV_IOF_Virtual& archive) const
{
    WriteRecordFrame(archive, L"KV_LightningGN", kLightningVersion);
    archive.WriteUInt(&coreWidth.Value());
    archive.WriteUInt(&passes.Value());
    archive.WriteUInt(&displacement.Value());
    archive.WriteUInt(&seed.Value());
    archive.WriteUInt(&branchLength.Value());
    archive.WriteUInt(&branchAngle.Value());
    archive.WriteUInt(&tipWidth.Value());
    archive.WriteUInt(&branches.Value());
    archive.WriteUInt(&subBranches.Value());
    archive.WriteUInt(&subSubBranches.Value());
    archive.WriteUInt(&flicker.Value());
    archive.WriteUInt(&glowWidth.Value());
    archive.WriteInt(&reseed.Value());
    KV_StringGenerator::WriteRecord(archive);
}
