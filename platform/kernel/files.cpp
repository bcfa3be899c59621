// Files by Windows path: the temporary folder, copy, delete, existence.
#include <windows.h>
#include <shlwapi.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <string>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <platform/unicode.h>

#include "kernel/file_path.h"
#include "kernel/write_all.h"
#include "kernel/win32_error.h"

namespace {

class FileDescriptor {
public:
    explicit FileDescriptor(int descriptor) : descriptor_(descriptor) {}
    ~FileDescriptor() {
        if (descriptor_ >= 0) close(descriptor_);
    }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;

    int get() const { return descriptor_; }
    bool valid() const { return descriptor_ >= 0; }

private:
    int descriptor_;
};

BOOL Fail(DWORD error) {
    SetLastError(error);
    return FALSE;
}

BOOL FailWithErrno() {
    platform::SetLastErrorFromErrno(errno);
    return FALSE;
}

bool CopyContents(int source, int destination) {
    char block[64 * 1024];
    for (;;) {
        const ssize_t count = read(source, block, sizeof block);
        if (count < 0 && errno == EINTR) continue;
        if (count < 0) return false;
        if (count == 0) return true;
        if (!platform::WriteAll(destination, block, static_cast<std::size_t>(count))) return false;
    }
}

}  // namespace

extern "C" {

DWORD WINAPI GetTempPathW(DWORD bufferLength, LPWSTR buffer) {
    const char* variable = std::getenv("TMPDIR");
    std::string folder = variable != nullptr && *variable != '\0' ? variable : "/tmp";
    if (folder.back() != '/') folder += '/';
    const std::wstring path = platform::WideFromUtf8(folder);
    if (buffer == nullptr || path.size() >= bufferLength)
        return static_cast<DWORD>(path.size() + 1);  // the size needed, terminator included
    std::memcpy(buffer, path.c_str(), (path.size() + 1) * sizeof(wchar_t));
    return static_cast<DWORD>(path.size());
}

BOOL WINAPI CopyFileW(LPCWSTR existingFileName, LPCWSTR newFileName, BOOL failIfExists) {
    if (existingFileName == nullptr || newFileName == nullptr)
        return Fail(ERROR_INVALID_PARAMETER);
    const FileDescriptor source(
        open(platform::NativePath(existingFileName).c_str(), O_RDONLY | O_CLOEXEC));
    if (!source.valid()) return FailWithErrno();
    struct stat sourceStatus {};
    if (fstat(source.get(), &sourceStatus) != 0) return FailWithErrno();
    if (S_ISDIR(sourceStatus.st_mode)) return Fail(ERROR_ACCESS_DENIED);

    // Truncated only once it is known not to be the source itself.
    const int flags = O_WRONLY | O_CREAT | O_CLOEXEC | (failIfExists ? O_EXCL : 0);
    const FileDescriptor destination(
        open(platform::NativePath(newFileName).c_str(), flags, sourceStatus.st_mode & 0777));
    if (!destination.valid())
        return errno == ENOENT ? Fail(ERROR_PATH_NOT_FOUND) : FailWithErrno();
    struct stat destinationStatus {};
    if (fstat(destination.get(), &destinationStatus) != 0) return FailWithErrno();
    if (destinationStatus.st_dev == sourceStatus.st_dev &&
        destinationStatus.st_ino == sourceStatus.st_ino)
        return Fail(ERROR_ACCESS_DENIED);
    if (ftruncate(destination.get(), 0) != 0) return FailWithErrno();
    if (!CopyContents(source.get(), destination.get())) return FailWithErrno();
    return TRUE;
}

BOOL WINAPI DeleteFileW(LPCWSTR fileName) {
    if (fileName == nullptr) return Fail(ERROR_INVALID_PARAMETER);
    if (unlink(platform::NativePath(fileName).c_str()) != 0) return FailWithErrno();
    return TRUE;
}

BOOL WINAPI PathFileExistsW(LPCWSTR path) {
    if (path == nullptr) return FALSE;
    struct stat status {};
    return stat(platform::NativePath(path).c_str(), &status) == 0 ? TRUE : FALSE;
}

}  // extern "C"
