// Where resource modules live on disk: LoadLibraryW(L"name.dll") opens
// name.res, never code.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace platform::resources {

// The key under which a module is loaded: its upper-cased name without
// ".dll". Names with a path, "..", or another extension have none.
std::optional<std::wstring> ModuleKey(std::wstring_view moduleName);

// <key>.res, matched case-insensitively, in $SAVER_MODULE_PATH first,
// then beside the executable.
std::optional<std::filesystem::path> FindModuleFile(std::wstring_view key);

std::filesystem::path ExecutablePath();

// The .res file named after the executable beside it (saver.res next to
// saver), whose resources overlay the linked ones; empty without an
// executable path.
std::filesystem::path OwnOverlayFile();

// The whole file, or nothing when it cannot be read.
std::optional<std::vector<uint8_t>> ReadFileBytes(const std::filesystem::path& path);

}  // namespace platform::resources
