#include "sound/kv_mp3_constructor.h"

#include <atomic>

#include "scene/document/kv_iof_virtual.h"
#include "scene/document/reader_registry.h"
#include "scene/document/record.h"
#include "sound/graph_levels.h"
#include "sound/graph_playback.h"
#include "sound/temp_files.h"

namespace {

constexpr DWORD kMp3Version = 1;
constexpr LONGLONG kUnitsPerSecond = 10'000'000;

const RegisterReader<KV_MP3_Constructor, KV_ABObj_Constructor> registration(L"KV_MP3_Constructor");

// Every object has a copy of its own, so that deleting one never takes
// away a file another plays or a file the user stored there.
kv_string TempCopyName(const kv_string& stored)
{
    static std::atomic<unsigned int> next{0};
    return L"sound" + std::to_wstring(GetCurrentProcessId()) + L"-" + std::to_wstring(++next) + L"-" +
           UniqueTempName(stored);
}

} // namespace

KV_MP3_Constructor::KV_MP3_Constructor(const KV_MP3_Constructor& other)
    : KV_Sound_Ctrl(other), file(other.file), m_tempPath(other.m_tempPath)
{
}

KV_MP3_Constructor::~KV_MP3_Constructor()
{
    m_source.Reset();
    m_audio.Reset();
    m_events.Reset();
    m_seeking.Reset();
    m_control.Reset();
    m_builder.Reset();
    if (m_wroteTempCopy)
        DeleteFileW(m_tempPath.c_str());
}

void KV_MP3_Constructor::Write(KV_IOF_Virtual& archive) const
{
    WriteRecordFrame(archive, L"KV_MP3_Constructor", kMp3Version);
    archive.WriteEmbeddedFile(&file);
    KV_Sound_Ctrl::Write(archive);
}

void KV_MP3_Constructor::Read(KV_IOF_Virtual& archive, DWORD)
{
    archive.ReadEmbeddedFile(&file);
    ReadRecord(archive);
}

bool KV_MP3_Constructor::WriteTempCopy()
{
    if (m_wroteTempCopy)
        DeleteFileW(m_tempPath.c_str());
    m_tempPath = TempFolderPath(TempCopyName(file.FileName()));
    if (file.Data() != nullptr)
        m_wroteTempCopy = WriteWholeFile(m_tempPath, file.Data(), file.Size());
    else
        m_wroteTempCopy = CopyFileW(file.FileName().c_str(), m_tempPath.c_str(), FALSE) != FALSE;
    return m_wroteTempCopy;
}

void KV_MP3_Constructor::Prepare()
{
    // A private graph that delivers no events.
    if (!BuildFilterGraph(nullptr, m_builder, m_control, m_seeking, m_events, m_audio) || !WriteTempCopy())
        return;
    m_builder->AddSourceFilter(m_tempPath.c_str(), m_tempPath.c_str(), m_source.Receive());
    if (!PlaySourceInGraph(m_builder.Get(), m_control.Get(), m_seeking.Get(), m_source.Get()))
        return;
    LONGLONG duration = 0;
    if (SUCCEEDED(m_seeking->GetDuration(&duration))) {
        const auto length = static_cast<unsigned int>(duration / kUnitsPerSecond * 100);
        KV_TimeLineControl& timeLine = TimeLine();
        timeLine.visibleRange.minimum.StoreAndNotify(length);
        timeLine.visibleRange.maximum.StoreAndNotify(length);
        timeLine.fadeIn.StoreAndNotify(0);
        timeLine.fadeOut.StoreAndNotify(0);
    }
    m_control->Stop();
}

void KV_MP3_Constructor::ApplyLevels()
{
    if (!m_audio)
        return;
    m_audio->put_Volume(GraphLevel(static_cast<int>(volume.Value()), 100));
    m_audio->put_Balance(GraphLevel(static_cast<int>(balance.Value()), 200));
}

void KV_MP3_Constructor::Update(float)
{
    if (!m_control)
        return;
    const TimeLinePhase phase = TimeLine().GetPhase();
    OAFilterState state = State_Stopped;
    m_control->GetState(100, &state);
    if (state == State_Stopped && phase == kPhaseShown) {
        PlaySourceInGraph(m_builder.Get(), m_control.Get(), m_seeking.Get(), m_source.Get());
        ApplyLevels();
    }
    LONGLONG current = 0;
    LONGLONG stop = 0;
    const bool ended = m_seeking && SUCCEEDED(m_seeking->GetPositions(&current, &stop)) && current >= stop;
    if (ended || phase == kPhaseHidden)
        m_control->Stop();
}

void KV_MP3_Constructor::Stop()
{
    if (m_control)
        m_control->Stop();
}

std::unique_ptr<KV_Sound_Ctrl> KV_MP3_Constructor::Clone() const
{
    return std::make_unique<KV_MP3_Constructor>(*this);
}
