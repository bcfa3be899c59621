#include "registry/registry_file.h"


#include <winreg.h>

#include <cerrno>
#include <climits>
#include <cstdint>
#include <cstdlib>
#include <iostream>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
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

// Why a file is not read, or nothing for a regular file of a size that is.
std::optional<std::string> RefusalOf(const struct stat& status) {
    if (!S_ISREG(status.st_mode)) return "is not a regular file";
    if (static_cast<std::uintmax_t>(status.st_size) > kMaxRegistryTextBytes)
        return "is larger than " + std::to_string(kMaxRegistryTextBytes >> 20) + " MB";
    return std::nullopt;
}

bool IsRefused(const std::string& path) {
    struct stat status {};
    return ::stat(path.c_str(), &status) == 0 && RefusalOf(status).has_value();
}

// Whatever can be read; nothing when the file is missing or unreadable. It
// is opened without waiting, as a FIFO would wait for a writer, and read
// only once it is known to be a regular file of a size that is read.
std::string ReadRegistryBytes(const std::string& path) {
    std::string contents;
    UniqueFd file(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
    if (!file) return contents;
    struct stat status {};
    if (::fstat(file.get(), &status) != 0) return contents;
    if (const auto refusal = RefusalOf(status)) {
        std::cerr << "registry: " << path << ' ' << *refusal << "; it reads as empty and is never written\n";
        return contents;
    }
    // Room for the whole file and the line feed a last line may lack.
    contents.reserve(static_cast<std::size_t>(status.st_size) + 2);
    char chunk[65536];
    while (contents.size() <= kMaxRegistryTextBytes) {
        const ssize_t count = ::read(file.get(), chunk, sizeof chunk);
        if (count > 0) {
            contents.append(chunk, static_cast<std::size_t>(count));
        } else if (count == 0 || errno != EINTR) {
            break;
        }
    }
    // One that grew past the limit since it was looked at.
    if (contents.size() > kMaxRegistryTextBytes) contents.clear();
    return contents;
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

// What tells one version of the file from another.
struct FileIdentity {
    dev_t device = 0;
    ino_t inode = 0;
    off_t size = 0;
    timespec modified{};
    timespec changed{};

    bool operator==(const FileIdentity& other) const {
        return device == other.device && inode == other.inode && size == other.size &&
               modified.tv_sec == other.modified.tv_sec && modified.tv_nsec == other.modified.tv_nsec &&
               changed.tv_sec == other.changed.tv_sec && changed.tv_nsec == other.changed.tv_nsec;
    }
};

std::optional<FileIdentity> IdentityOf(const std::string& path) {
    struct stat status {};
    if (::stat(path.c_str(), &status) != 0) return std::nullopt;
    return FileIdentity{status.st_dev, status.st_ino, status.st_size, status.st_mtim, status.st_ctim};
}

// The last file parsed, kept until it changes on disk.
class ParsedFileCache {
public:
    std::shared_ptr<const RegDocument> Find(const std::string& path, const FileIdentity& identity) {
        const std::lock_guard guard(mutex_);
        return path == path_ && identity == identity_ ? document_ : nullptr;
    }

    void Store(const std::string& path, const FileIdentity& identity, std::shared_ptr<const RegDocument> document) {
        const std::lock_guard guard(mutex_);
        path_ = path;
        identity_ = identity;
        document_ = std::move(document);
    }

private:
    std::mutex mutex_;
    std::string path_;
    FileIdentity identity_;
    std::shared_ptr<const RegDocument> document_;
};

ParsedFileCache& Cache() {
    static ParsedFileCache cache;
    return cache;
}

// The file's current contents, read at most once per version.
std::shared_ptr<const RegDocument> CurrentDocument(const std::string& path) {
    const auto identity = IdentityOf(path);
    if (!identity) return std::make_shared<const RegDocument>();
    if (auto cached = Cache().Find(path, *identity)) return cached;
    auto document = std::make_shared<const RegDocument>(ReadRegistryBytes(path));
    Cache().Store(path, *identity, document);
    return document;
}

// The file that a link names, so that the link itself stays.
std::string ResolvedPath(const std::string& path) {
    char resolved[PATH_MAX];
    return ::realpath(path.c_str(), resolved) != nullptr ? std::string(resolved) : path;
}

// A file nobody may write; root ignores the permission bits, so they are
// looked at directly.
bool IsReadOnly(const std::string& path) {
    struct stat status {};
    if (::stat(path.c_str(), &status) != 0) return false;
    if ((status.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0) return true;
    return ::geteuid() != 0 && ::access(path.c_str(), W_OK) != 0;
}

mode_t ModeOf(const std::string& path) {
    struct stat status {};
    return ::stat(path.c_str(), &status) == 0 ? status.st_mode & 07777 : 0600;
}

// Writes beside the file, then renames over it: readers see the old file or
// the new one, never a part.
LONG ReplaceFile(const std::string& path, std::string_view contents) {
    const std::string temporary = path + ".tmp";
    UniqueFd file(::open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600));
    if (!file) return StatusFromErrno(errno);
    const bool written = ::fchmod(file.get(), ModeOf(path)) == 0 && WriteAll(file.get(), contents) &&
                         ::fsync(file.get()) == 0 && file.Close() && ::rename(temporary.c_str(), path.c_str()) == 0;
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

std::shared_ptr<const RegDocument> ReadRegistryFile() {
    const std::string path = RegistryFilePath();
    if (path.empty() || ::access(path.c_str(), F_OK) != 0) return std::make_shared<const RegDocument>();
    // Without a lock file (a read-only folder) nobody can be writing either.
    const UniqueFd lock = LockRegistry(path, LOCK_SH);
    return CurrentDocument(ResolvedPath(path));
}

LONG UpdateRegistryFile(const std::function<bool(RegDocument&)>& change) {
    const std::string path = RegistryFilePath();
    if (path.empty()) return ERROR_ACCESS_DENIED;
    MakeParentDirectories(path);
    const UniqueFd lock = LockRegistry(path, LOCK_EX);
    if (!lock) return StatusFromErrno(errno);
    const std::string target = ResolvedPath(path);
    RegDocument document = *CurrentDocument(target);
    if (!change(document)) return ERROR_SUCCESS;
    if (IsRefused(target) || IsReadOnly(target)) return ERROR_ACCESS_DENIED;
    const std::string text = document.Format();
    // A file that could not be read again would lose every setting.
    if (text.size() > kMaxRegistryTextBytes) return ERROR_REGISTRY_IO_FAILED;
    const LONG status = ReplaceFile(target, text);
    if (status != ERROR_SUCCESS) return status;
    if (const auto identity = IdentityOf(target)) {
        Cache().Store(target, *identity, std::make_shared<const RegDocument>(std::move(document)));
    }
    return ERROR_SUCCESS;
}

}  // namespace platform::registry
