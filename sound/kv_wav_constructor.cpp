#include "sound/kv_wav_constructor.h"

#include <cstring>

#include "scene/document/kv_iof_virtual.h"
#include "scene/document/reader_registry.h"
#include "scene/document/record.h"
#include "scene/resources/kv_docresmanager.h"
#include "sound/direct_sound.h"
#include "sound/wave_data.h"

namespace {

constexpr DWORD kWavVersion = 1;

const RegisterReader<KV_WAV_Constructor, KV_ABObj_Constructor> registration(L"KV_WAV_Constructor");

} // namespace

KV_WAV_Constructor::KV_WAV_Constructor()
{
    TimeLine().ownerWords = {1, 1, 2};
}

KV_WAV_Constructor::KV_WAV_Constructor(const KV_WAV_Constructor& other) : KV_Sound_Ctrl(other), link(other.link)
{
    if (other.m_buffer) {
        other.m_buffer->AddRef();
        m_buffer.Reset(other.m_buffer.Get());
    }
}

void KV_WAV_Constructor::Write(KV_IOF_Virtual& archive) const
{
    WriteRecordFrame(archive, L"KV_WAV_Constructor", kWavVersion);
    WriteFileLink(archive, link);
    KV_Sound_Ctrl::Write(archive);
}

void KV_WAV_Constructor::Read(KV_IOF_Virtual& archive, DWORD)
{
    ReadFileLink(archive, link);
    ReadRecord(archive);
}

bool KV_WAV_Constructor::CreateBuffer()
{
    // A link with no stored entry, or no device: silent.
    if (g_currentDocResManager == nullptr || !g_directSound)
        return false;
    const ResourceEntry* entry = g_currentDocResManager->GetEntry(link);
    if (entry == nullptr)
        return false;
    const std::optional<WaveData> wave = ReadWaveData(entry->Data(), entry->Size());
    if (!wave || wave->data.empty())
        return false;

    const unsigned int length = wave->LengthInHundredths();
    KV_TimeLineControl& timeLine = TimeLine();
    timeLine.visibleRange.minimum.StoreAndNotify(length);
    timeLine.visibleRange.maximum.StoreAndNotify(length);
    timeLine.fadeOut.StoreAndNotify(0);
    timeLine.fadeIn.StoreAndNotify(0);

    WAVEFORMATEXTENSIBLE format = wave->format;
    DSBUFFERDESC description{};
    description.dwSize = sizeof description;
    description.dwFlags = g_soundBufferFlags | DSBCAPS_CTRLPAN | DSBCAPS_CTRLVOLUME;
    description.dwBufferBytes = static_cast<DWORD>(wave->data.size());
    description.lpwfxFormat = &format.Format;
    ComHolder<IDirectSoundBuffer> first;
    if (FAILED(g_directSound->CreateSoundBuffer(&description, first.Receive(), nullptr)))
        return false;
    if (FAILED(first->QueryInterface(IID_IDirectSoundBuffer8, reinterpret_cast<void**>(m_buffer.Receive()))))
        return false;
    void* data = nullptr;
    DWORD bytes = 0;
    if (SUCCEEDED(m_buffer->Lock(0, 0, &data, &bytes, nullptr, nullptr, DSBLOCK_ENTIREBUFFER))) {
        std::memcpy(data, wave->data.data(), std::min<size_t>(bytes, wave->data.size()));
        m_buffer->Unlock(data, bytes, nullptr, 0);
    }
    return true;
}

void KV_WAV_Constructor::Prepare()
{
    if (!m_buffer)
        CreateBuffer();
    if (!m_buffer)
        return;
    m_buffer->SetVolume(static_cast<LONG>(volume.Value()) * 50 - 5000);
    m_buffer->SetPan(static_cast<LONG>(balance.Value()) * 100 - 5000);
}

void KV_WAV_Constructor::PlayFromStart(bool loop)
{
    if (m_buffer && SUCCEEDED(m_buffer->SetCurrentPosition(0)))
        m_buffer->Play(0, 0, loop ? DSBPLAY_LOOPING : 0);
}

void KV_WAV_Constructor::Update(float)
{
    if (!m_buffer)
        return;
    const TimeLinePhase phase = TimeLine().GetPhase();
    DWORD status = 0;
    m_buffer->GetStatus(&status);
    if (status & DSBSTATUS_PLAYING) {
        if (phase == kPhaseHidden && (status & DSBSTATUS_LOOPING))
            m_buffer->Stop();
    } else if (phase == kPhaseShown) {
        PlayFromStart(TimeLine().mode.Value() == KV_TimeLineControl::kModeAlways);
    }
}

void KV_WAV_Constructor::Stop()
{
    if (m_buffer)
        m_buffer->Stop();
}

std::unique_ptr<KV_Sound_Ctrl> KV_WAV_Constructor::Clone() const
{
    return std::make_unique<KV_WAV_Constructor>(*this);
}
