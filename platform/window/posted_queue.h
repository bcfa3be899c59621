// Posted messages and the quit flag: the part of the message queue that
// other threads reach (PostMessageW), so it has its own lock and wakes a
// waiting GetMessageW.
#pragma once

#include <cstdint>

#include <windows.h>

#include "window/message_filter.h"

namespace platform::window {

// Handles that may receive posted messages.
void AddLiveWindow(HWND window);
// Also drops the messages already posted to it.
void RemoveLiveWindow(HWND window);

// False for a window handle that is not live.
bool PostToQueue(const MSG& message);
// The oldest posted message that passes the filter (on the loop's thread).
bool TakePosted(MSG* message, const MessageFilter& filter, bool remove);

void SetQuitFlag(int exitCode);
bool TakeQuit(int* exitCode, bool remove);

// A count that changes with every post; WaitForPost returns early when it
// differs from seen.
uint64_t PostCount();
void WaitForPost(uint64_t seen, int64_t timeoutNanoseconds);

}  // namespace platform::window
