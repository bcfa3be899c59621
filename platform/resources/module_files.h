// Where resource modules live on disk: LoadLibraryW(L"name.dll") opens
// name.res, never code.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace platform::resources {

// The key under which a module is loaded: its upper-cased name without
// ".dll". Names with a path, "..", or another extension have none.
std::optional<std::wstring> ModuleKey(std::wstring_view moduleName);

// <key>.res, matched case-insensitively, in $SAVER_MODULE_PATH first,
// then beside the executable.
std::optional<std::filesystem::path> FindModuleFile(std::wstring_view key);

std::filesystem::path ExecutablePath();

}  // namespace platform::resources
