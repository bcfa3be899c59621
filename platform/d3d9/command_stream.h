// A device's GL work as a stream of commands, recorded on the calling
// thread and run in order: on a thread of the device's own, where its GL
// context is current, or at once on the calling thread when devices run
// synchronously. A command is a small lambda whose captures are plain
// values (trivially copyable), copied into a batch of bytes that is reused
// from frame to frame, so that recording allocates nothing once the
// batches have grown.
#pragma once

#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <deque>
#include <functional>
#include <mutex>
#include <new>
#include <thread>
#include <type_traits>
#include <vector>

namespace platform::d3d9 {

// Whether new devices run their GL work on threads of their own:
// SAVER_DEVICE_QUEUE (0: no), read once, unless a test chose.
bool DeviceQueueEnabled();

class CommandStream {
public:
    // prepare runs on the executing thread before commands run (it makes
    // the context current there); letGo when the thread ends.
    CommandStream(bool threaded, std::function<void()> prepare, std::function<void()> letGo);
    // Runs what is left, then ends the thread.
    ~CommandStream();
    CommandStream(const CommandStream&) = delete;
    CommandStream& operator=(const CommandStream&) = delete;

    bool threaded() const { return threaded_; }

    // command: void().
    template <typename Command>
    void Record(Command command) {
        CheckCommand<Command>();
        if (!threaded_) {
            prepare_();
            command();
            return;
        }
        Append(
            [](std::byte* body, const std::byte*, const std::byte*) {
                (*std::launder(reinterpret_cast<Command*>(body)))();
            },
            &command, sizeof command, nullptr, 0, nullptr, 0);
    }
    // command: void(const std::byte* data), data a copy of the size bytes
    // at data (the caller's own bytes when synchronous).
    template <typename Command>
    void RecordWithData(const void* data, size_t size, Command command) {
        RecordWithData(data, size, nullptr, 0, [command](const std::byte* copied, const std::byte*) {
            command(copied);
        });
    }
    // The same with two runs of bytes: command(const std::byte* data, const std::byte* more).
    template <typename Command>
    void RecordWithData(const void* data, size_t size, const void* more, size_t moreSize, Command command) {
        CheckCommand<Command>();
        if (!threaded_) {
            prepare_();
            command(static_cast<const std::byte*>(data), static_cast<const std::byte*>(more));
            return;
        }
        Append(
            [](std::byte* body, const std::byte* copied, const std::byte* copiedMore) {
                (*std::launder(reinterpret_cast<Command*>(body)))(copied, copiedMore);
            },
            &command, sizeof command, data, size, more, moreSize);
    }
    // Records and waits until it ran: for what the caller reads back.
    template <typename Command>
    void Call(Command command) {
        Record(command);
        Finish();
    }
    // Waits until everything recorded has run.
    void Finish();
    // A frame ends (Present): waits while more than framesAhead frames
    // have not run yet.
    void EndFrame(uint64_t framesAhead);

private:
    using Run = void (*)(std::byte* body, const std::byte* data, const std::byte* more);
    struct Header {
        Run run;
        uint32_t bodyBytes;  // the command's, rounded up
        uint32_t dataBytes;  // the copied data's, rounded up
        uint32_t moreBytes;
    };
    static constexpr size_t kAlign = alignof(std::max_align_t);

    template <typename Command>
    static constexpr void CheckCommand() {
        static_assert(std::is_trivially_copyable_v<Command>, "commands capture plain values");
        static_assert(alignof(Command) <= kAlign);
    }
    static constexpr size_t Rounded(size_t bytes) { return (bytes + kAlign - 1) / kAlign * kAlign; }

    void Append(Run run, const void* body, size_t bodySize, const void* data, size_t dataSize, const void* more,
                size_t moreSize);
    // Hands the batch recorded so far to the thread.
    void Submit();
    void Execute(std::vector<std::byte>& batch);
    void Work();

    const bool threaded_;
    std::function<void()> prepare_;
    std::function<void()> letGo_;
    std::vector<std::byte> recording_;
    size_t recordedCommands_ = 0;
    std::mutex mutex_;
    std::condition_variable work_;
    std::condition_variable done_;
    std::deque<std::vector<std::byte>> pending_;
    std::vector<std::vector<std::byte>> spare_;
    uint64_t submitted_ = 0;  // batches
    uint64_t executed_ = 0;
    uint64_t framesRecorded_ = 0;
    uint64_t framesExecuted_ = 0;
    bool stopping_ = false;
    std::thread thread_;
};

}  // namespace platform::d3d9
