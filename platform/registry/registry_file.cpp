#include "registry/registry_file.h"

#include "registry/reg_text.h"

#include <winreg.h>

#include <cerrno>
#include <cstdlib>
#include <string_view>
#include <utility>
#include <vector>

#include <fcntl.h>
#include <pwd.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform::registry {
namespace {

class UniqueFd {
public:
    explicit UniqueFd(int fd = -1) : fd_(fd) {}
    UniqueFd(UniqueFd&& other) noexcept : fd_(std::exchange(other.fd_, -1)) {}
    UniqueFd& operator=(UniqueFd&& other) noexcept {
        std::swap(fd_, other.fd_);
        return *this;
    }
    ~UniqueFd() {
        if (fd_ >= 0) ::close(fd_);
    }
    int get() const { return fd_; }
    explicit operator bool() const { return fd_ >= 0; }
    // Closes now, reporting whether the data reached the file.
    bool Close() { return ::close(std::exchange(fd_, -1)) == 0; }

private:
    int fd_;
};

std::string EnvironmentValue(const char* name) {
    const char* value = std::getenv(name);
    return value == nullptr ? std::string() : std::string(value);
}

std::string HomeDirectory() {
    std::string home = EnvironmentValue("HOME");
    if (!home.empty()) return home;
    passwd entry{};
    passwd* found = nullptr;
    std::vector<char> buffer(16384);
    if (getpwuid_r(getuid(), &entry, buffer.data(), buffer.size(), &found) == 0 && found != nullptr &&
        found->pw_dir != nullptr) {
        return found->pw_dir;
    }
    return {};
}

LONG StatusFromErrno(int error) {
    switch (error) {
        case EACCES:
        case EPERM:
        case EROFS: return ERROR_ACCESS_DENIED;
        case ENOMEM: return ERROR_NOT_ENOUGH_MEMORY;
        default: return ERROR_REGISTRY_IO_FAILED;
    }
}

// An invalid descriptor when the lock file cannot be opened.
UniqueFd LockRegistry(const std::string& path, int operation) {
    UniqueFd lock(::open((path + ".lock").c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0666));
    if (!lock) return lock;
    while (::flock(lock.get(), operation) != 0) {
        if (errno != EINTR) return UniqueFd();
    }
    return lock;
}

// Whatever can be read; nothing when the file is missing or unreadable.
std::string ReadWholeFile(const std::string& path) {
    std::string contents;
    UniqueFd file(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
    if (!file) return contents;
    char chunk[8192];
    for (;;) {
        const ssize_t count = ::read(file.get(), chunk, sizeof chunk);
        if (count > 0) {
            contents.append(chunk, static_cast<std::size_t>(count));
        } else if (count == 0 || errno != EINTR) {
            return contents;
        }
    }
}

bool WriteAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t count = ::write(fd, bytes.data(), bytes.size());
        if (count < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        bytes.remove_prefix(static_cast<std::size_t>(count));
    }
    return true;
}

void MakeParentDirectories(const std::string& path) {
    for (std::size_t slash = path.find('/', 1); slash != std::string::npos;
         slash = path.find('/', slash + 1)) {
        ::mkdir(path.substr(0, slash).c_str(), 0700);
    }
}

// Writes beside the file, then renames over it: readers see the old file or
// the new one, never a part.
LONG ReplaceFile(const std::string& path, std::string_view contents) {
    const std::string temporary = path + ".tmp";
    UniqueFd file(::open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666));
    if (!file) return StatusFromErrno(errno);
    const bool written = WriteAll(file.get(), contents) && ::fsync(file.get()) == 0 && file.Close() &&
                         ::rename(temporary.c_str(), path.c_str()) == 0;
    if (written) return ERROR_SUCCESS;
    const int error = errno;
    ::unlink(temporary.c_str());
    return StatusFromErrno(error);
}

}  // namespace

std::string RegistryFilePath() {
    std::string path = EnvironmentValue("SAVER_REGISTRY");
    if (!path.empty()) return path;
    std::string configHome = EnvironmentValue("XDG_CONFIG_HOME");
    if (!configHome.starts_with('/')) {
        const std::string home = HomeDirectory();
        if (home.empty()) return {};
        configHome = home + "/.config";
    }
    return configHome + "/lumaweft-saver/registry.reg";
}

RegistryData ReadRegistryFile() {
    const std::string path = RegistryFilePath();
    if (path.empty() || ::access(path.c_str(), F_OK) != 0) return RegistryData();
    // Without a lock file (a read-only folder) nobody can be writing either.
    const UniqueFd lock = LockRegistry(path, LOCK_SH);
    return ParseRegText(ReadWholeFile(path));
}

LONG UpdateRegistryFile(const std::function<bool(RegistryData&)>& change) {
    const std::string path = RegistryFilePath();
    if (path.empty()) return ERROR_ACCESS_DENIED;
    MakeParentDirectories(path);
    const UniqueFd lock = LockRegistry(path, LOCK_EX);
    if (!lock) return StatusFromErrno(errno);
    RegistryData data = ParseRegText(ReadWholeFile(path));
    if (!change(data)) return ERROR_SUCCESS;
    return ReplaceFile(path, FormatRegText(data));
}

}  // namespace platform::registry
