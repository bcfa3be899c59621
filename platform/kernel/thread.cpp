// The calling thread: identity, last error and priority.
#include <windows.h>

#include <cerrno>
#include <cstdlib>

#include <sys/resource.h>
#include <unistd.h>

#include "audio/audio_output.h"

namespace {

thread_local DWORD t_lastError = ERROR_SUCCESS;

// The pseudo handle that always means the calling thread.
const HANDLE kCurrentThread = reinterpret_cast<HANDLE>(LONG_PTR{-2});

struct PriorityLevel {
    int priority;
    int nice;
};

constexpr PriorityLevel kLevels[] = {
    {THREAD_PRIORITY_IDLE, 19},        {THREAD_PRIORITY_LOWEST, 10},
    {THREAD_PRIORITY_BELOW_NORMAL, 5}, {THREAD_PRIORITY_NORMAL, 0},
    {THREAD_PRIORITY_ABOVE_NORMAL, -5}, {THREAD_PRIORITY_HIGHEST, -10},
    {THREAD_PRIORITY_TIME_CRITICAL, -20},
};

const PriorityLevel* LevelOfPriority(int priority) {
    for (const PriorityLevel& level : kLevels)
        if (level.priority == priority) return &level;
    return nullptr;
}

int PriorityOfNice(int nice) {
    const PriorityLevel* nearest = &kLevels[0];
    for (const PriorityLevel& level : kLevels)
        if (std::abs(level.nice - nice) < std::abs(nearest->nice - nice)) nearest = &level;
    return nearest->priority;
}

}  // namespace

extern "C" {

DWORD WINAPI GetLastError() { return t_lastError; }

void WINAPI SetLastError(DWORD error) { t_lastError = error; }

DWORD WINAPI GetCurrentThreadId() { return static_cast<DWORD>(gettid()); }

DWORD WINAPI GetCurrentProcessId() { return static_cast<DWORD>(getpid()); }

HANDLE WINAPI GetCurrentThread() { return kCurrentThread; }

BOOL WINAPI SetThreadPriority(HANDLE thread, int priority) {
    if (thread != kCurrentThread) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    const PriorityLevel* level = LevelOfPriority(priority);
    if (level == nullptr) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    // Threads inherit their creator's nice value: the audio helper starts
    // before this thread drops below normal, so that sound keeps its pace.
    if (level->nice > 0) platform::audio::StartAudioHelper();
    if (setpriority(PRIO_PROCESS, static_cast<id_t>(gettid()), level->nice) != 0) {
        SetLastError(ERROR_ACCESS_DENIED);  // a higher priority needs privileges
        return FALSE;
    }
    return TRUE;
}

int WINAPI GetThreadPriority(HANDLE thread) {
    if (thread != kCurrentThread) {
        SetLastError(ERROR_INVALID_HANDLE);
        return THREAD_PRIORITY_ERROR_RETURN;
    }
    errno = 0;
    const int nice = getpriority(PRIO_PROCESS, static_cast<id_t>(gettid()));
    if (nice == -1 && errno != 0) {
        SetLastError(ERROR_ACCESS_DENIED);
        return THREAD_PRIORITY_ERROR_RETURN;
    }
    return PriorityOfNice(nice);
}

}  // extern "C"
