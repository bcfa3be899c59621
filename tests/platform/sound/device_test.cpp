// The sound device for real (headless, SDL's dummy driver): its thread
// keeps normal priority when the program has lowered its own to idle
// (threads inherit their creator's nice value), and it plays graphs to
// their end, posting the notify message from its own thread.
#include <dshow.h>
#include <dsound.h>
#include <windows.h>

#include <gtest/gtest.h>

#include <sys/resource.h>
#include <unistd.h>

#include <chrono>
#include <cerrno>
#include <filesystem>
#include <fstream>
#include <future>
#include <optional>
#include <sstream>
#include <string>
#include <thread>

#include "audio/audio_output.h"
#include "audio/mixer.h"
#include "com/com_ref.h"
#include "sound/support/sound_files.h"

namespace {

// The nice value of the first thread of this process whose name starts so.
std::optional<int> NiceOfThread(const std::string& namePrefix)
{
    for (const auto& task : std::filesystem::directory_iterator("/proc/self/task")) {
        std::string name;
        std::getline(std::ifstream(task.path() / "comm"), name);
        if (name.rfind(namePrefix, 0) != 0)
            continue;
        std::string stat;
        std::getline(std::ifstream(task.path() / "stat"), stat);
        // After the name in parentheses: state, then fields 4 to 19; nice is 19.
        std::istringstream fields(stat.substr(stat.rfind(')') + 2));
        std::string field;
        for (int i = 3; i <= 19; ++i)
            fields >> field;
        return std::stoi(field);
    }
    return std::nullopt;
}

TEST(AudioDeviceTest, TheDeviceThreadKeepsNormalPriorityAfterTheProgramDropsToIdle)
{
    std::optional<int> deviceNice;
    std::optional<int> helperNice;
    int programPriority = THREAD_PRIORITY_NORMAL;
    // Normal is the nice value the test started with: ctest may run it niced.
    errno = 0;
    const int normalNice = getpriority(PRIO_PROCESS, static_cast<id_t>(gettid()));
    ASSERT_EQ(errno, 0);
    std::thread program([&] {
        ASSERT_TRUE(SetThreadPriority(GetCurrentThread(), THREAD_PRIORITY_IDLE));
        programPriority = GetThreadPriority(GetCurrentThread());
        // The first sound buffer opens the device.
        platform::ComRef<IDirectSound8> device;
        ASSERT_EQ(DirectSoundCreate8(nullptr, device.out(), nullptr), DS_OK);
        device->SetCooperativeLevel(nullptr, DSSCL_NORMAL);
        WAVEFORMATEX format{WAVE_FORMAT_PCM, 1, 8000, 16000, 2, 16, 0};
        DSBUFFERDESC description{};
        description.dwSize = sizeof description;
        description.dwBufferBytes = 1600;
        description.lpwfxFormat = &format;
        platform::ComRef<IDirectSoundBuffer> buffer;
        ASSERT_EQ(device->CreateSoundBuffer(&description, buffer.out(), nullptr), DS_OK);
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
        while (!(deviceNice = NiceOfThread("SDLAudio")) && std::chrono::steady_clock::now() < deadline)
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        helperNice = NiceOfThread("SoundHelper");
    });
    program.join();
    EXPECT_EQ(programPriority, THREAD_PRIORITY_IDLE);
    // The helper opened the device, so the device's thread is its child;
    // SDL may raise that one further where it is allowed to.
    ASSERT_TRUE(helperNice.has_value()) << "no sound helper thread";
    EXPECT_EQ(*helperNice, normalNice);
    ASSERT_TRUE(deviceNice.has_value()) << "no sound device thread";
    EXPECT_LE(*deviceNice, normalNice);
}

TEST(AudioDeviceTest, AGraphPlayedByTheDevicePostsItsMessageAtTheEnd)
{
    const std::vector<int16_t> samples(800, 8000);  // a tenth of a second at 8000 Hz
    const std::wstring path = sound_test::WriteTemporaryFile(L"device-end.wav", sound_test::WaveFile({}, sound_test::Pcm16(samples)));
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = DefWindowProcW;
    windowClass.lpszClassName = L"DeviceNotifyTest";
    RegisterClassW(&windowClass);
    HWND window = CreateWindowExW(0, L"DeviceNotifyTest", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(window, nullptr);

    platform::ComRef<IGraphBuilder> builder;
    ASSERT_EQ(CoCreateInstance(CLSID_FilterGraph, nullptr, CLSCTX_INPROC_SERVER, IID_IGraphBuilder,
                               reinterpret_cast<void**>(builder.out())),
              S_OK);
    platform::ComRef<IMediaControl> control;
    platform::ComRef<IMediaEventEx> events;
    builder->QueryInterface(IID_IMediaControl, reinterpret_cast<void**>(control.out()));
    builder->QueryInterface(IID_IMediaEventEx, reinterpret_cast<void**>(events.out()));
    events->SetNotifyWindow(reinterpret_cast<OAHWND>(window), 0x8000, 0);
    ASSERT_EQ(builder->RenderFile(path.c_str(), nullptr), S_OK);
    const auto started = std::chrono::steady_clock::now();
    control->Run();

    MSG message{};
    bool arrived = false;
    while (!arrived && std::chrono::steady_clock::now() - started < std::chrono::seconds(10)) {
        arrived = PeekMessageW(&message, window, 0x8000, 0x8000, PM_REMOVE) != FALSE;
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    ASSERT_TRUE(arrived);
    // Played at the pace of real time, not faster.
    EXPECT_GE(std::chrono::steady_clock::now() - started, std::chrono::milliseconds(90));
    LONG code = 0;
    LONG_PTR first = 0, second = 0;
    ASSERT_EQ(events->GetEvent(&code, &first, &second, 0), S_OK);
    EXPECT_EQ(code, EC_COMPLETE);
    DestroyWindow(window);
}

// A voice that holds the device's thread until it is let go.
class StuckVoice final : public platform::audio::Voice {
public:
    void MixInto(float*, std::size_t, int) override
    {
        entered.set_value();
        release.get_future().wait();
    }
    std::promise<void> entered;
    std::promise<void> release;
};

// Last: it ends the sound output of this process.
TEST(AudioDeviceTest, AStuckDeviceDoesNotHoldUpTheEnd)
{
    auto voice = std::make_shared<StuckVoice>();
    std::future<void> entered = voice->entered.get_future();
    platform::audio::AddVoice(voice, platform::audio::VoiceGroup::kDirectSound);
    ASSERT_EQ(entered.wait_for(std::chrono::seconds(10)), std::future_status::ready);

    const auto start = std::chrono::steady_clock::now();
    platform::audio::EndAudioOutput();
    const auto waited = std::chrono::steady_clock::now() - start;
    EXPECT_LT(waited, std::chrono::seconds(10));  // the 2 s wait, and slack for a busy machine
    EXPECT_GE(waited, std::chrono::milliseconds(1500));  // it did wait for the device
    voice->release.set_value();
}

} // namespace
