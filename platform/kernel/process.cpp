// Child processes started by CreateProcessW, with handles to wait on them.
#include <windows.h>

#include <cerrno>
#include <chrono>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <platform/unicode.h>

#include "kernel/command_line.h"
#include "kernel/file_path.h"
#include "kernel/handle_table.h"
#include "kernel/win32_error.h"

extern char** environ;

namespace {

// The exit of a real process, waited for in real time whatever clock the
// layer runs on.
class ChildProcess {
public:
    explicit ChildProcess(pid_t pid) : pid_(pid) {}

    // A child nobody waits for is still collected, so that it leaves no zombie.
    ~ChildProcess() {
        if (!HasExited()) std::thread([pid = pid_] { waitpid(pid, nullptr, 0); }).detach();
    }

    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    DWORD Wait(DWORD milliseconds) {
        using Clock = std::chrono::steady_clock;
        const auto deadline = Clock::now() + std::chrono::milliseconds(milliseconds);
        for (;;) {
            if (HasExited()) return WAIT_OBJECT_0;
            if (milliseconds != INFINITE && Clock::now() >= deadline) return WAIT_TIMEOUT;
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
    }

    DWORD ExitCode() { return HasExited() ? *exitCode_ : STILL_ACTIVE; }

private:
    bool HasExited() {
        const std::lock_guard lock(mutex_);
        if (exitCode_) return true;
        int status = 0;
        const pid_t result = waitpid(pid_, &status, WNOHANG);
        if (result == pid_) {
            exitCode_ = ExitCodeOfStatus(status);
        } else if (result < 0 && errno == ECHILD) {
            exitCode_ = kUnknownExitCode;  // collected elsewhere
        }
        return exitCode_.has_value();
    }

    // A child ended by a signal exits with 128 plus the signal number, as
    // shells report it.
    static DWORD ExitCodeOfStatus(int status) {
        if (WIFEXITED(status)) return static_cast<DWORD>(WEXITSTATUS(status));
        if (WIFSIGNALED(status)) return static_cast<DWORD>(128 + WTERMSIG(status));
        return kUnknownExitCode;
    }

    static constexpr DWORD kUnknownExitCode = 0xFFFFFFFFu;
    const pid_t pid_;
    std::mutex mutex_;
    std::optional<DWORD> exitCode_;
};

class ProcessObject : public platform::KernelObject {
public:
    explicit ProcessObject(std::shared_ptr<ChildProcess> child) : child_(std::move(child)) {}
    DWORD Wait(DWORD milliseconds) override { return child_->Wait(milliseconds); }
    DWORD ExitCode() { return child_->ExitCode(); }

private:
    std::shared_ptr<ChildProcess> child_;
};

// The child's main thread: signalled when the process ends.
class MainThreadObject : public platform::KernelObject {
public:
    explicit MainThreadObject(std::shared_ptr<ChildProcess> child) : child_(std::move(child)) {}
    DWORD Wait(DWORD milliseconds) override { return child_->Wait(milliseconds); }

private:
    std::shared_ptr<ChildProcess> child_;
};

class SpawnActions {
public:
    SpawnActions() { posix_spawn_file_actions_init(&actions_); }
    ~SpawnActions() { posix_spawn_file_actions_destroy(&actions_); }
    SpawnActions(const SpawnActions&) = delete;
    SpawnActions& operator=(const SpawnActions&) = delete;

    posix_spawn_file_actions_t* get() { return &actions_; }

private:
    posix_spawn_file_actions_t actions_{};
};

BOOL Fail(DWORD error) {
    SetLastError(error);
    return FALSE;
}

}  // namespace

extern "C" {

// Without an application name the program is the first token of the
// command line, searched on PATH; with one, that file is run as named.
// Only the inherited environment is supported.
BOOL WINAPI CreateProcessW(LPCWSTR applicationName, LPWSTR commandLine,
                           LPSECURITY_ATTRIBUTES, LPSECURITY_ATTRIBUTES, BOOL inheritHandles,
                           DWORD, LPVOID environment, LPCWSTR currentDirectory, LPSTARTUPINFOW,
                           LPPROCESS_INFORMATION processInformation) {
    if (processInformation == nullptr || environment != nullptr ||
        (applicationName == nullptr && commandLine == nullptr))
        return Fail(ERROR_INVALID_PARAMETER);
    std::vector<std::wstring> arguments =
        commandLine != nullptr ? platform::SplitCommandLine(commandLine)
                               : std::vector<std::wstring>{applicationName};
    if (arguments.empty()) {
        if (applicationName == nullptr) return Fail(ERROR_INVALID_PARAMETER);
        arguments.emplace_back(applicationName);
    }

    const std::string program = platform::NativePath(applicationName ? applicationName
                                                                     : arguments[0]);
    std::vector<std::string> argumentBytes;
    argumentBytes.push_back(applicationName ? platform::Utf8FromWide(arguments[0]) : program);
    for (std::size_t i = 1; i < arguments.size(); ++i)
        argumentBytes.push_back(platform::Utf8FromWide(arguments[i]));
    std::vector<char*> argv;
    for (std::string& argument : argumentBytes) argv.push_back(argument.data());
    argv.push_back(nullptr);

    SpawnActions actions;
    if (!inheritHandles) posix_spawn_file_actions_addclosefrom_np(actions.get(), STDERR_FILENO + 1);
    if (currentDirectory != nullptr) {
        const std::string directory = platform::NativePath(currentDirectory);
        posix_spawn_file_actions_addchdir_np(actions.get(), directory.c_str());
    }
    pid_t pid = 0;
    const int error = applicationName != nullptr
                          ? posix_spawn(&pid, program.c_str(), actions.get(), nullptr,
                                        argv.data(), environ)
                          : posix_spawnp(&pid, program.c_str(), actions.get(), nullptr,
                                         argv.data(), environ);
    if (error != 0) return Fail(platform::Win32ErrorFromErrno(error));

    auto child = std::make_shared<ChildProcess>(pid);
    processInformation->hProcess = platform::AddHandle(std::make_shared<ProcessObject>(child));
    processInformation->hThread = platform::AddHandle(std::make_shared<MainThreadObject>(child));
    processInformation->dwProcessId = static_cast<DWORD>(pid);
    processInformation->dwThreadId = static_cast<DWORD>(pid);  // the main thread's id is the pid
    return TRUE;
}

BOOL WINAPI GetExitCodeProcess(HANDLE process, LPDWORD exitCode) {
    const auto object = std::dynamic_pointer_cast<ProcessObject>(platform::ObjectOfHandle(process));
    if (object == nullptr) return Fail(ERROR_INVALID_HANDLE);
    if (exitCode == nullptr) return Fail(ERROR_INVALID_PARAMETER);
    *exitCode = object->ExitCode();
    return TRUE;
}

}  // extern "C"
