// The filter graph: files rendered into the mixer, state and positions,
// the end-of-stream event and its message, MP3 through libmpg123.
#include <dshow.h>
#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <limits>
#include <vector>

#include <platform/sim_audio.h>

#include "com/com_ref.h"
#include "sound/support/sound_files.h"

namespace {

using platform::ComRef;
using sound_test::Bytes;

constexpr int kRate = 8000;
constexpr UINT kGraphMessage = 0x8000;

struct Graph {
    Graph() {
        EXPECT_EQ(CoCreateInstance(CLSID_FilterGraph, nullptr, CLSCTX_INPROC_SERVER, IID_IGraphBuilder,
                                   reinterpret_cast<void**>(builder.out())),
                  S_OK);
        builder->QueryInterface(IID_IMediaControl, reinterpret_cast<void**>(control.out()));
        builder->QueryInterface(IID_IMediaSeeking, reinterpret_cast<void**>(seeking.out()));
        builder->QueryInterface(IID_IMediaEventEx, reinterpret_cast<void**>(events.out()));
        builder->QueryInterface(IID_IBasicAudio, reinterpret_cast<void**>(audio.out()));
    }

    // AddSourceFilter, then its output pin rendered.
    HRESULT Play(const std::wstring& path, ComRef<IBaseFilter>* source) {
        HRESULT status = builder->AddSourceFilter(path.c_str(), path.c_str(), source->out());
        if (FAILED(status)) return status;
        ComRef<IPin> pin;
        status = (*source)->FindPin(L"Output", pin.out());
        if (SUCCEEDED(status)) status = builder->Render(pin.get());
        return status;
    }

    ULONG FilterCount() {
        ComRef<IEnumFilters> enumerator;
        builder->EnumFilters(enumerator.out());
        ULONG count = 0;
        IBaseFilter* filter = nullptr;
        while (enumerator->Next(1, &filter, nullptr) == S_OK) {
            filter->Release();
            ++count;
        }
        return count;
    }

    ComRef<IGraphBuilder> builder;
    ComRef<IMediaControl> control;
    ComRef<IMediaSeeking> seeking;
    ComRef<IMediaEventEx> events;
    ComRef<IBasicAudio> audio;
};

std::vector<float> Pull(std::size_t frames, int rate = kRate) {
    std::vector<float> mixed(2 * frames);
    platform::sim::PullMixedAudio(mixed.data(), frames, rate);
    return mixed;
}

std::vector<float> Left(const std::vector<float>& stereo) {
    std::vector<float> left;
    for (std::size_t i = 0; i < stereo.size(); i += 2) left.push_back(stereo[i]);
    return left;
}

class FilterGraphTest : public ::testing::Test {
protected:
    void SetUp() override { platform::sim::UseManualAudioPull(); }

    // A tenth of a second of a constant level.
    static std::wstring ShortWave(const std::wstring& name, float level = 0.5f) {
        return sound_test::WriteTemporaryFile(name, sound_test::LevelWave(level, 0.1, kRate));
    }
};

TEST_F(FilterGraphTest, EndOfStreamRaisesCompleteAndPostsTheNotifyMessage) {
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = DefWindowProcW;
    windowClass.lpszClassName = L"GraphNotifyTest";
    RegisterClassW(&windowClass);
    HWND window = CreateWindowExW(0, L"GraphNotifyTest", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(window, nullptr);

    Graph graph;
    ComRef<IBaseFilter> source;
    ASSERT_EQ(graph.Play(ShortWave(L"graph-end.wav"), &source), S_OK);
    ASSERT_EQ(graph.events->SetNotifyWindow(reinterpret_cast<OAHWND>(window), kGraphMessage, 7), S_OK);
    LONGLONG duration = 0;
    ASSERT_EQ(graph.seeking->GetDuration(&duration), S_OK);
    EXPECT_EQ(duration, 1'000'000);  // 0.1 s in 100 ns units
    graph.control->Run();

    LONG code = 0;
    LONG_PTR p1 = 0, p2 = 0;
    EXPECT_EQ(graph.events->GetEvent(&code, &p1, &p2, 0), E_ABORT);
    EXPECT_NEAR(Pull(kRate / 20)[0], 0.5f, 1e-4);
    EXPECT_EQ(graph.events->GetEvent(&code, &p1, &p2, 0), E_ABORT);
    Pull(kRate / 10);

    ASSERT_EQ(graph.events->GetEvent(&code, &p1, &p2, 0), S_OK);
    EXPECT_EQ(code, EC_COMPLETE);
    EXPECT_EQ(graph.events->FreeEventParams(code, p1, p2), S_OK);
    MSG message{};
    ASSERT_TRUE(PeekMessageW(&message, window, kGraphMessage, kGraphMessage, PM_REMOVE));
    EXPECT_EQ(message.lParam, 7);

    // Still running at the end, with the position at the stop.
    OAFilterState state = State_Stopped;
    graph.control->GetState(100, &state);
    EXPECT_EQ(state, State_Running);
    LONGLONG current = 0, stop = 0;
    graph.seeking->GetPositions(&current, &stop);
    EXPECT_EQ(current, stop);
    EXPECT_EQ(stop, duration);

    // Back to the start: it plays again.
    LONGLONG zero = 0;
    graph.seeking->SetPositions(&zero, AM_SEEKING_AbsolutePositioning, nullptr, AM_SEEKING_NoPositioning);
    EXPECT_NEAR(Pull(4)[0], 0.5f, 1e-4);
    DestroyWindow(window);
}

struct WaveFormatCase {
    const char* name;
    WORD tag;
    WORD bits;
    bool extensible;
    Bytes frame;  // one mono frame of level 0.5
};

class FilterGraphWaveTest : public FilterGraphTest, public ::testing::WithParamInterface<WaveFormatCase> {};

TEST_P(FilterGraphWaveTest, PlaysEveryPcmAndFloatLayout)
{
    const WaveFormatCase& c = GetParam();
    sound_test::WaveLayout layout;
    layout.tag = c.tag;
    layout.bits = c.bits;
    layout.extensible = c.extensible;
    Bytes data;
    for (int i = 0; i < 64; ++i)
        data.insert(data.end(), c.frame.begin(), c.frame.end());
    const std::wstring path = sound_test::WriteTemporaryFile(L"graph-format-" + std::wstring(c.name, c.name + std::strlen(c.name)) + L".wav",
                                                             sound_test::WaveFile(layout, data));
    Graph graph;
    ASSERT_EQ(graph.builder->RenderFile(path.c_str(), nullptr), S_OK);
    graph.control->Run();
    const std::vector<float> mixed = Pull(4);
    EXPECT_NEAR(mixed[0], 0.5f, 1e-4);
    EXPECT_NEAR(mixed[1], 0.5f, 1e-4);
}

INSTANTIATE_TEST_SUITE_P(Layouts, FilterGraphWaveTest,
                         ::testing::Values(WaveFormatCase{"Unsigned8", 1, 8, false, {0xC0}},
                                           WaveFormatCase{"Signed24", 1, 24, false, {0x00, 0x00, 0x40}},
                                           WaveFormatCase{"Float", 3, 32, false, {0x00, 0x00, 0x00, 0x3F}},
                                           WaveFormatCase{"ExtensibleSigned16", 1, 16, true, {0x00, 0x40}},
                                           WaveFormatCase{"ExtensibleFloat", 3, 32, true, {0x00, 0x00, 0x00, 0x3F}}),
                         [](const auto& info) { return info.param.name; });

// Four float samples, each an infinity, played beside a good file and
// resampled on the way: the good file is heard, the other is silence.
TEST_F(FilterGraphTest, AFloatFileOfInfinitiesIsSilentBesideAGoodOne) {
    sound_test::WaveLayout layout;
    layout.tag = 3;
    layout.bits = 32;
    const float infinity = std::numeric_limits<float>::infinity();
    const float samples[] = {infinity, -infinity, infinity, -infinity};
    Bytes data(sizeof samples);
    std::memcpy(data.data(), samples, sizeof samples);
    const std::wstring infinities =
        sound_test::WriteTemporaryFile(L"graph-infinities.wav", sound_test::WaveFile(layout, data));
    Graph bad, good;
    ASSERT_EQ(bad.builder->RenderFile(infinities.c_str(), nullptr), S_OK);
    ASSERT_EQ(good.builder->RenderFile(ShortWave(L"graph-beside-infinities.wav", 0.25f).c_str(), nullptr), S_OK);
    bad.control->Run();
    good.control->Run();
    const std::vector<float> mixed = Pull(8, 11025);
    for (std::size_t i = 0; i < mixed.size(); ++i) EXPECT_NEAR(mixed[i], 0.25f, 1e-4) << "sample " << i;
}

TEST_F(FilterGraphTest, VolumeAndBalanceFollowDirectSoundCurves) {
    Graph graph;
    ComRef<IBaseFilter> source;
    ASSERT_EQ(graph.Play(ShortWave(L"graph-level.wav"), &source), S_OK);
    graph.audio->put_Volume(-2000);
    graph.audio->put_Balance(2000);
    graph.control->Run();
    const std::vector<float> mixed = Pull(4);
    EXPECT_NEAR(mixed[0], 0.005f, 1e-5);
    EXPECT_NEAR(mixed[1], 0.05f, 1e-5);
    EXPECT_EQ(graph.audio->put_Volume(1), E_INVALIDARG);
}

TEST_F(FilterGraphTest, StoppedOrPausedGraphsAreSilentAndResumeWhereTheyWere) {
    Graph graph;
    ComRef<IBaseFilter> source;
    ASSERT_EQ(graph.Play(ShortWave(L"graph-stop.wav"), &source), S_OK);
    EXPECT_EQ(Pull(4)[0], 0.0f);  // not yet run
    graph.control->Run();
    Pull(kRate / 20);
    graph.control->Stop();
    EXPECT_EQ(Pull(4)[0], 0.0f);
    LONGLONG current = 0;
    graph.seeking->GetCurrentPosition(&current);
    EXPECT_EQ(current, 500'000);
}

TEST_F(FilterGraphTest, RemovingAndAddingEveryFilterDisconnectsAndRenderReusesTheRenderer) {
    Graph graph;
    ComRef<IBaseFilter> first;
    ASSERT_EQ(graph.Play(ShortWave(L"graph-first.wav"), &first), S_OK);
    EXPECT_EQ(graph.FilterCount(), 2u);  // the source and the renderer
    graph.control->Run();

    ComRef<IEnumFilters> enumerator;
    graph.builder->EnumFilters(enumerator.out());
    std::vector<ComRef<IBaseFilter>> filters;
    for (IBaseFilter* filter = nullptr; enumerator->Next(1, &filter, nullptr) == S_OK;) filters.emplace_back(filter);
    for (auto& filter : filters) {
        ASSERT_EQ(graph.builder->RemoveFilter(filter.get()), S_OK);
        ASSERT_EQ(graph.builder->AddFilter(filter.get(), nullptr), S_OK);
    }
    EXPECT_EQ(Pull(4)[0], 0.0f);
    EXPECT_EQ(graph.seeking->GetDuration(nullptr), E_POINTER);

    ASSERT_EQ(graph.builder->RemoveFilter(first.get()), S_OK);
    ComRef<IBaseFilter> second;
    ASSERT_EQ(graph.Play(ShortWave(L"graph-second.wav", 0.25f), &second), S_OK);
    EXPECT_EQ(graph.FilterCount(), 2u);
    EXPECT_NEAR(Pull(4)[0], 0.25f, 1e-4);
}

TEST_F(FilterGraphTest, FilesItCannotPlayFailAndStaySilent) {
    Graph graph;
    ComRef<IBaseFilter> source;
    EXPECT_EQ(graph.builder->AddSourceFilter(L"/nonexistent/track.mp3", L"x", source.out()),
              HRESULT_FROM_WIN32(ERROR_FILE_NOT_FOUND));
    EXPECT_EQ(source.get(), nullptr);

    const std::wstring text = sound_test::WriteTemporaryFile(L"graph-text.mp3", Bytes{'h', 'e', 'l', 'l', 'o'});
    EXPECT_EQ(graph.Play(text, &source), VFW_E_CANNOT_RENDER);
    EXPECT_TRUE(FAILED(graph.builder->RenderFile(text.c_str(), nullptr)));
    graph.control->Run();
    EXPECT_EQ(Pull(4)[0], 0.0f);
    LONGLONG duration = 0;
    EXPECT_TRUE(FAILED(graph.seeking->GetDuration(&duration)));
}

TEST_F(FilterGraphTest, Mp3OfAToneDecodesToItsFrequencyAndLength) {
    const int rate = 22050;
    const Bytes mp3 = sound_test::Mp3Of(sound_test::Tone(440.0, rate, 1.0), rate);
    ASSERT_FALSE(mp3.empty());
    Graph graph;
    ASSERT_EQ(graph.builder->RenderFile(sound_test::WriteTemporaryFile(L"graph-tone.mp3", mp3).c_str(), nullptr), S_OK);
    LONGLONG duration = 0;
    ASSERT_EQ(graph.seeking->GetDuration(&duration), S_OK);
    // The encoder's padding adds at most a few frames of 1152 samples.
    EXPECT_GE(duration, 10'000'000);
    EXPECT_LT(duration, 12'000'000);
    graph.control->Run();
    std::vector<float> left = Left(Pull(rate / 2, rate));
    left.erase(left.begin(), left.begin() + rate / 10);  // past the encoder's delay
    EXPECT_NEAR(sound_test::ZeroCrossingHertz(left, rate), 440.0, 2.0);
}

}  // namespace
