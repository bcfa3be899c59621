#include "window/posted_queue.h"

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <unordered_set>

namespace platform::window {
namespace {

struct Queue {
    std::mutex lock;
    std::condition_variable posted;
    std::deque<MSG> messages;
    std::unordered_set<HWND> liveWindows;
    bool quit = false;
    int quitCode = 0;
    uint64_t postCount = 0;
};

Queue& State() {
    static Queue queue;
    return queue;
}

}  // namespace

void AddLiveWindow(HWND window) {
    Queue& queue = State();
    std::lock_guard guard(queue.lock);
    queue.liveWindows.insert(window);
}

void RemoveLiveWindow(HWND window) {
    Queue& queue = State();
    std::lock_guard guard(queue.lock);
    queue.liveWindows.erase(window);
    std::erase_if(queue.messages, [window](const MSG& message) { return message.hwnd == window; });
}

bool PostToQueue(const MSG& message) {
    Queue& queue = State();
    {
        std::lock_guard guard(queue.lock);
        if (message.hwnd && !queue.liveWindows.contains(message.hwnd)) return false;
        queue.messages.push_back(message);
        ++queue.postCount;
    }
    queue.posted.notify_all();
    return true;
}

bool TakePosted(MSG* message, const MessageFilter& filter, bool remove) {
    Queue& queue = State();
    std::lock_guard guard(queue.lock);
    auto found = std::find_if(queue.messages.begin(), queue.messages.end(), [&](const MSG& candidate) {
        return filter.Accepts(candidate.hwnd, candidate.message);
    });
    if (found == queue.messages.end()) return false;
    *message = *found;
    if (remove) queue.messages.erase(found);
    return true;
}

void SetQuitFlag(int exitCode) {
    Queue& queue = State();
    {
        std::lock_guard guard(queue.lock);
        queue.quit = true;
        queue.quitCode = exitCode;
        ++queue.postCount;
    }
    queue.posted.notify_all();
}

bool TakeQuit(int* exitCode, bool remove) {
    Queue& queue = State();
    std::lock_guard guard(queue.lock);
    if (!queue.quit) return false;
    *exitCode = queue.quitCode;
    if (remove) queue.quit = false;
    return true;
}

uint64_t PostCount() {
    Queue& queue = State();
    std::lock_guard guard(queue.lock);
    return queue.postCount;
}

void WaitForPost(uint64_t seen, int64_t timeoutNanoseconds) {
    Queue& queue = State();
    std::unique_lock guard(queue.lock);
    queue.posted.wait_for(guard, std::chrono::nanoseconds(timeoutNanoseconds),
                          [&] { return queue.postCount != seen; });
}

}  // namespace platform::window
