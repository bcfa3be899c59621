#include "d3d9/command_stream.h"

#include <cstdlib>
#include <iostream>
#include <string_view>

#include "d3d9/sim_adapters.h"

namespace platform::d3d9 {
namespace {

// A batch goes to the thread once it holds this much, so that the thread
// starts early in a long frame.
constexpr size_t kSubmitBytes = 64 * 1024;
constexpr size_t kSubmitCommands = 64;
// A program that draws without presenting waits here, as at a driver's
// full command buffer, rather than queueing without bound.
constexpr size_t kMaxPendingBatches = 1024;

bool QueueFromEnvironment() {
    const char* text = std::getenv("SAVER_DEVICE_QUEUE");
    if (text == nullptr || *text == 0) return true;
    const std::string_view value(text);
    if (value == "0") return false;
    if (value != "1") std::cerr << "SAVER_DEVICE_QUEUE: ignoring \"" << text << "\" (expected 0 or 1)\n";
    return true;
}

}  // namespace

bool DeviceQueueEnabled() {
    static const bool fromEnvironment = QueueFromEnvironment();
    return SimulatedDeviceQueue().value_or(fromEnvironment);
}

CommandStream::CommandStream(bool threaded, std::function<void()> prepare, std::function<void()> letGo)
    : threaded_(threaded), prepare_(std::move(prepare)), letGo_(std::move(letGo)) {
    if (threaded_) thread_ = std::thread([this] { Work(); });
}

CommandStream::~CommandStream() {
    if (!threaded_) return;
    Finish();
    {
        const std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    work_.notify_one();
    thread_.join();
}

void CommandStream::Append(Run run, const void* body, size_t bodySize, const void* data, size_t dataSize,
                           const void* more, size_t moreSize) {
    const Header header{run, static_cast<uint32_t>(Rounded(bodySize)), static_cast<uint32_t>(Rounded(dataSize)),
                        static_cast<uint32_t>(Rounded(moreSize))};
    const size_t at = recording_.size();
    recording_.resize(at + Rounded(sizeof header) + header.bodyBytes + header.dataBytes + header.moreBytes);
    std::byte* record = recording_.data() + at + Rounded(sizeof header);
    std::memcpy(recording_.data() + at, &header, sizeof header);
    std::memcpy(record, body, bodySize);
    if (dataSize) std::memcpy(record + header.bodyBytes, data, dataSize);
    if (moreSize) std::memcpy(record + header.bodyBytes + header.dataBytes, more, moreSize);
    if (++recordedCommands_ >= kSubmitCommands || recording_.size() >= kSubmitBytes) Submit();
}

void CommandStream::Submit() {
    if (recording_.empty()) return;
    {
        std::unique_lock lock(mutex_);
        done_.wait(lock, [this] { return pending_.size() < kMaxPendingBatches; });
        pending_.push_back(std::move(recording_));
        ++submitted_;
        if (spare_.empty()) {
            recording_ = {};
        } else {
            recording_ = std::move(spare_.back());
            spare_.pop_back();
        }
    }
    recordedCommands_ = 0;
    work_.notify_one();
}

void CommandStream::Finish() {
    if (!threaded_) return;
    Submit();
    std::unique_lock lock(mutex_);
    done_.wait(lock, [this] { return executed_ == submitted_; });
}

void CommandStream::EndFrame(uint64_t framesAhead) {
    if (!threaded_) return;
    Record([this] {
        {
            const std::lock_guard lock(mutex_);
            ++framesExecuted_;
        }
        done_.notify_all();
    });
    Submit();
    std::unique_lock lock(mutex_);
    ++framesRecorded_;
    done_.wait(lock, [&] { return framesRecorded_ - framesExecuted_ <= framesAhead; });
}

void CommandStream::Execute(std::vector<std::byte>& batch) {
    size_t at = 0;
    while (at < batch.size()) {
        Header header;
        std::memcpy(&header, batch.data() + at, sizeof header);
        std::byte* body = batch.data() + at + Rounded(sizeof header);
        header.run(body, body + header.bodyBytes, body + header.bodyBytes + header.dataBytes);
        at += Rounded(sizeof header) + header.bodyBytes + header.dataBytes + header.moreBytes;
    }
}

void CommandStream::Work() {
    for (;;) {
        std::vector<std::byte> batch;
        {
            std::unique_lock lock(mutex_);
            work_.wait(lock, [this] { return !pending_.empty() || stopping_; });
            if (pending_.empty()) break;
            batch = std::move(pending_.front());
            pending_.pop_front();
        }
        prepare_();
        Execute(batch);
        batch.clear();
        {
            const std::lock_guard lock(mutex_);
            spare_.push_back(std::move(batch));
            ++executed_;
        }
        done_.notify_all();
    }
    letGo_();
}

}  // namespace platform::d3d9
