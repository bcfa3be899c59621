// Threads inherit their creator's nice value: the sound device's thread
// must keep normal priority when the program has lowered its own to idle.
#include <dsound.h>
#include <windows.h>

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>
#include <thread>

#include "com/com_ref.h"

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

TEST(AudioPriorityTest, TheDeviceThreadKeepsNormalPriorityAfterTheProgramDropsToIdle)
{
    std::optional<int> deviceNice;
    std::optional<int> helperNice;
    int programPriority = THREAD_PRIORITY_NORMAL;
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
    EXPECT_EQ(*helperNice, 0);
    ASSERT_TRUE(deviceNice.has_value()) << "no sound device thread";
    EXPECT_LE(*deviceNice, 0);
}

} // namespace
