// The time line's record: version 1, no base part. Any stored version is
// read with the version-1 layout.
#include "scene/model/time_line_control.h"

#include "scene/document/kv_iof_virtual.h"
#include "scene/document/record.h"

namespace {

constexpr DWORD kTimeLineVersion = 1;
// Four floats per interval.
constexpr std::size_t kIntervalBytes = 16;

// A fade is set and then notified once more, so its seconds always follow.
void ReadFade(KV_IOF_Virtual& archive, TimeParam& fade)
{
    unsigned int hundredths = fade.Value();
    archive.ReadUInt(&hundredths);
    fade.SetValue(hundredths);
    fade.NotifyControls(nullptr);
}

} // namespace

void KV_TimeLineControl::Write(KV_IOF_Virtual& archive) const { WriteRecord(archive); }

void KV_TimeLineControl::WriteRecord(KV_IOF_Virtual& archive) const
{
    WriteRecordFrame(archive, L"KV_TimeLineControl", kTimeLineVersion);
    archive.WriteInt(&mode.Value());
    archive.WriteInt(&speedMode.Value());
    archive.WriteUInt(&invisibleRange.minimum.Value());
    archive.WriteUInt(&invisibleRange.maximum.Value());
    archive.WriteUInt(&visibleRange.minimum.Value());
    archive.WriteUInt(&visibleRange.maximum.Value());
    archive.WriteUInt(&fadeIn.Value());
    archive.WriteUInt(&fadeOut.Value());
    const DWORD count = static_cast<DWORD>(m_intervals.Size());
    archive.WriteDword(&count);
    for (const TimeInterval& interval : m_intervals) {
        archive.WriteFloat(&interval.start);
        archive.WriteFloat(&interval.end);
        archive.WriteFloat(&interval.fullFrom);
        archive.WriteFloat(&interval.fullTo);
    }
}

void KV_TimeLineControl::ReadRecord(KV_IOF_Virtual& archive)
{
    ReadRecordVersion(archive);
    archive.ReadInt(&mode.Value());
    archive.ReadInt(&speedMode.Value());
    archive.ReadUInt(&invisibleRange.minimum.Value());
    archive.ReadUInt(&invisibleRange.maximum.Value());
    archive.ReadUInt(&visibleRange.minimum.Value());
    archive.ReadUInt(&visibleRange.maximum.Value());
    ReadFade(archive, fadeIn);
    ReadFade(archive, fadeOut);

    DWORD count = 0;
    archive.ReadDword(&count);
    if (archive.Failed() || !archive.CanHold(count, kIntervalBytes))
        return;
    for (DWORD i = 0; i < count && !archive.Failed(); ++i) {
        TimeInterval stored;
        archive.ReadFloat(&stored.start);
        archive.ReadFloat(&stored.end);
        archive.ReadFloat(&stored.fullFrom);
        archive.ReadFloat(&stored.fullTo);
        if (!archive.Failed())
            AddInterval(stored.start, stored.end, stored.fullFrom, stored.fullTo);
    }
}
