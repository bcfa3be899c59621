// Files created for writing: a descriptor behind a handle.
#include <windows.h>

#include <cerrno>
#include <memory>

#include <fcntl.h>
#include <unistd.h>

#include "kernel/file_path.h"
#include "kernel/handle_table.h"
#include "kernel/write_all.h"
#include "kernel/win32_error.h"

namespace {

class WrittenFile final : public platform::KernelObject {
public:
    explicit WrittenFile(int descriptor) : descriptor_(descriptor) {}
    ~WrittenFile() override { close(descriptor_); }
    DWORD Wait(DWORD) override { return WAIT_OBJECT_0; }

    bool Write(const char* bytes, std::size_t count) { return platform::WriteAll(descriptor_, bytes, count); }

private:
    int descriptor_;
};

}  // namespace

extern "C" {

HANDLE WINAPI CreateFileW(LPCWSTR fileName, DWORD access, DWORD, LPSECURITY_ATTRIBUTES, DWORD creation, DWORD,
                          HANDLE) {
    if (fileName == nullptr || access != GENERIC_WRITE || creation != CREATE_ALWAYS) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return INVALID_HANDLE_VALUE;
    }
    const int descriptor = open(platform::NativePath(fileName).c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (descriptor < 0) {
        platform::SetLastErrorFromErrno(errno);
        return INVALID_HANDLE_VALUE;
    }
    return platform::AddHandle(std::make_shared<WrittenFile>(descriptor));
}

BOOL WINAPI WriteFile(HANDLE file, LPCVOID buffer, DWORD bytes, LPDWORD written, LPOVERLAPPED) {
    if (written != nullptr) *written = 0;
    const std::shared_ptr<platform::KernelObject> object = platform::ObjectOfHandle(file);
    auto* target = dynamic_cast<WrittenFile*>(object.get());
    if (target == nullptr || (buffer == nullptr && bytes > 0)) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    if (!target->Write(static_cast<const char*>(buffer), bytes)) {
        platform::SetLastErrorFromErrno(errno);
        return FALSE;
    }
    if (written != nullptr) *written = bytes;
    return TRUE;
}

}  // extern "C"
