#include <gtest/gtest.h>

#include <thread>

#include <sys/resource.h>
#include <unistd.h>

#include <windows.h>

namespace {

int NiceOfCallingThread() { return getpriority(PRIO_PROCESS, static_cast<id_t>(gettid())); }

TEST(Thread, LastErrorAndIdBelongToEachThread) {
    SetLastError(ERROR_FILE_NOT_FOUND);
    DWORD otherInitialError = 1;
    DWORD otherId = GetCurrentThreadId();
    std::thread([&] {
        otherInitialError = GetLastError();
        otherId = GetCurrentThreadId();
        SetLastError(ERROR_ACCESS_DENIED);
    }).join();
    EXPECT_EQ(otherInitialError, static_cast<DWORD>(ERROR_SUCCESS));
    EXPECT_NE(otherId, GetCurrentThreadId());
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
}

// The idle thread lowers itself; a thread that another thread starts later
// keeps that thread's priority.
TEST(Thread, IdlePriorityLowersOnlyTheCallingThread) {
    const int mainNice = NiceOfCallingThread();
    int idleNice = 0;
    int idlePriority = 0;
    BOOL set = FALSE;
    std::thread([&] {
        set = SetThreadPriority(GetCurrentThread(), THREAD_PRIORITY_IDLE);
        idlePriority = GetThreadPriority(GetCurrentThread());
        idleNice = NiceOfCallingThread();
    }).join();
    ASSERT_TRUE(set);
    EXPECT_EQ(idlePriority, THREAD_PRIORITY_IDLE);
    EXPECT_EQ(idleNice, 19);
    EXPECT_EQ(NiceOfCallingThread(), mainNice);
    int laterNice = -100;
    std::thread([&] { laterNice = NiceOfCallingThread(); }).join();
    EXPECT_EQ(laterNice, mainNice);
}

TEST(Thread, PriorityRefusesOtherHandlesAndUnknownLevels) {
    EXPECT_FALSE(SetThreadPriority(GetCurrentThread(), 3));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
    EXPECT_FALSE(SetThreadPriority(nullptr, THREAD_PRIORITY_LOWEST));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
    EXPECT_EQ(GetThreadPriority(nullptr), THREAD_PRIORITY_ERROR_RETURN);
}

}  // namespace
