#include "resources/module_files.h"

#include <cstdlib>
#include <fstream>
#include <system_error>
#include <vector>

#include <platform/unicode.h>

#include "text/case_fold.h"

namespace platform::resources {
namespace {

constexpr std::wstring_view kDllSuffix = L".DLL";
constexpr std::wstring_view kResSuffix = L".RES";

std::vector<std::filesystem::path> SearchDirectories() {
    std::vector<std::filesystem::path> directories;
    if (const char* modulePath = std::getenv("SAVER_MODULE_PATH"); modulePath != nullptr && *modulePath != '\0') {
        directories.emplace_back(modulePath);
    }
    if (auto executable = ExecutablePath(); !executable.empty()) directories.push_back(executable.parent_path());
    return directories;
}

// The matching file whose name is exactly key.res in some case; among
// several, the first in name order, so that the choice is stable.
std::optional<std::filesystem::path> FindInDirectory(const std::filesystem::path& directory,
                                                     const std::wstring& fileKey) {
    std::optional<std::filesystem::path> found;
    std::error_code error;
    for (std::filesystem::directory_iterator it(directory, error), end; !error && it != end; it.increment(error)) {
        const std::filesystem::path& path = it->path();
        if (UpperCase(WideFromUtf8(path.filename().string())) != fileKey) continue;
        if (!it->is_regular_file(error)) continue;
        if (!found || path.filename() < found->filename()) found = path;
    }
    return found;
}

}  // namespace

std::optional<std::wstring> ModuleKey(std::wstring_view moduleName) {
    if (moduleName.find_first_of(L"/\\") != std::wstring_view::npos) return std::nullopt;
    if (moduleName.find(L"..") != std::wstring_view::npos) return std::nullopt;
    std::wstring key = UpperCase(moduleName);
    // Windows adds ".dll" to a name without an extension.
    if (key.ends_with(kDllSuffix)) {
        key.resize(key.size() - kDllSuffix.size());
    } else if (key.find(L'.') != std::wstring::npos) {
        return std::nullopt;
    }
    if (key.empty()) return std::nullopt;
    return key;
}

std::optional<std::filesystem::path> FindModuleFile(std::wstring_view key) {
    const std::wstring fileKey = std::wstring(key) + std::wstring(kResSuffix);
    for (const auto& directory : SearchDirectories()) {
        if (auto path = FindInDirectory(directory, fileKey)) return path;
    }
    return std::nullopt;
}

std::filesystem::path ExecutablePath() {
    std::error_code error;
    auto path = std::filesystem::read_symlink("/proc/self/exe", error);
    return error ? std::filesystem::path() : path;
}

std::filesystem::path OwnOverlayFile() {
    auto path = ExecutablePath();
    return path.empty() ? path : path.replace_extension(".res");
}

std::optional<std::vector<uint8_t>> ReadFileBytes(const std::filesystem::path& path) {
    std::error_code error;
    const auto size = std::filesystem::file_size(path, error);
    if (error) return std::nullopt;
    std::ifstream file(path, std::ios::binary);
    std::vector<uint8_t> bytes(size);
    if (!file.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(size))) return std::nullopt;
    return bytes;
}

}  // namespace platform::resources
