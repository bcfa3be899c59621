// What sound costs: mixing the music and eight sound buffers, and decoding
// a three-minute MP3 when a track starts.
#include <dshow.h>
#include <dsound.h>
#include <windows.h>

#include <benchmark/benchmark.h>

#include <vector>

#include <platform/sim_audio.h>

#include "com/com_ref.h"
#include "sound/support/sound_files.h"

namespace {

using platform::ComRef;

constexpr int kOutputRate = 48000;
constexpr int kMusicRate = 44100;
constexpr std::size_t kFrames = 1024;

const std::wstring& ThreeMinuteMp3()
{
    static const std::wstring path = sound_test::WriteTemporaryFile(
        L"benchmark-three-minutes.mp3",
        sound_test::Mp3Of(sound_test::Tone(440.0, kMusicRate, 180.0), kMusicRate, true));
    return path;
}

struct Graph {
    Graph()
    {
        CoCreateInstance(CLSID_FilterGraph, nullptr, CLSCTX_INPROC_SERVER, IID_IGraphBuilder,
                         reinterpret_cast<void**>(builder.out()));
        builder->QueryInterface(IID_IMediaControl, reinterpret_cast<void**>(control.out()));
        builder->QueryInterface(IID_IMediaSeeking, reinterpret_cast<void**>(seeking.out()));
    }
    ComRef<IGraphBuilder> builder;
    ComRef<IMediaControl> control;
    ComRef<IMediaSeeking> seeking;
};

// One iteration is 1024 output frames: 21.3 ms of sound.
void BM_MixMusicAndEightSoundBuffers(benchmark::State& state)
{
    platform::sim::UseManualAudioPull();
    Graph music;
    music.builder->RenderFile(ThreeMinuteMp3().c_str(), nullptr);
    music.control->Run();

    ComRef<IDirectSound8> device;
    DirectSoundCreate8(nullptr, device.out(), nullptr);
    device->SetCooperativeLevel(nullptr, DSSCL_NORMAL);
    const sound_test::Bytes tone = sound_test::Pcm16(sound_test::Tone(660.0, 22050, 2.0));
    std::vector<ComRef<IDirectSoundBuffer>> buffers(8);
    for (std::size_t i = 0; i < buffers.size(); ++i) {
        WAVEFORMATEX format{WAVE_FORMAT_PCM, 1, 22050, 44100, 2, 16, 0};
        DSBUFFERDESC description{};
        description.dwSize = sizeof description;
        description.dwFlags = DSBCAPS_CTRLPAN | DSBCAPS_CTRLVOLUME;
        description.dwBufferBytes = static_cast<DWORD>(tone.size());
        description.lpwfxFormat = &format;
        device->CreateSoundBuffer(&description, buffers[i].out(), nullptr);
        void* data = nullptr;
        DWORD bytes = 0;
        buffers[i]->Lock(0, 0, &data, &bytes, nullptr, nullptr, DSBLOCK_ENTIREBUFFER);
        std::copy(tone.begin(), tone.end(), static_cast<BYTE*>(data));
        buffers[i]->Unlock(data, bytes, nullptr, 0);
        buffers[i]->SetVolume(-static_cast<LONG>(i) * 300);
        buffers[i]->SetPan(static_cast<LONG>(i) * 1000 - 4000);
        buffers[i]->Play(0, 0, DSBPLAY_LOOPING);
    }
    std::vector<float> mixed(2 * kFrames);
    for (auto _ : state) {
        platform::sim::PullMixedAudio(mixed.data(), kFrames, kOutputRate);
        benchmark::DoNotOptimize(mixed.data());
    }
    const double soundSeconds = static_cast<double>(state.iterations()) * kFrames / kOutputRate;
    state.counters["sound_s"] = soundSeconds;
}
// Fewer iterations than the music lasts, so that it plays throughout.
BENCHMARK(BM_MixMusicAndEightSoundBuffers)->Iterations(8000);

void BM_DecodeThreeMinuteMp3(benchmark::State& state)
{
    ThreeMinuteMp3();
    for (auto _ : state) {
        Graph graph;
        graph.builder->RenderFile(ThreeMinuteMp3().c_str(), nullptr);
        LONGLONG duration = 0;
        graph.seeking->GetDuration(&duration);
        benchmark::DoNotOptimize(duration);
    }
}
BENCHMARK(BM_DecodeThreeMinuteMp3)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace

BENCHMARK_MAIN();
