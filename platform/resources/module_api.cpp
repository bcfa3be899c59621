// Modules: the program itself and resource modules, which hold no code.
#include <algorithm>
#include <string>

#include <windows.h>

#include "resources/module_files.h"
#include "resources/module_table.h"

using platform::resources::ModuleKey;
using platform::resources::Modules;

HMODULE WINAPI GetModuleHandleW(LPCWSTR moduleName) {
    auto modules = Modules();
    if (moduleName == nullptr) return modules->HandleOf(modules->Own());
    auto key = ModuleKey(moduleName);
    auto* module = key ? modules->FindLoaded(*key) : nullptr;
    if (module == nullptr) {
        SetLastError(ERROR_MOD_NOT_FOUND);
        return nullptr;
    }
    return modules->HandleOf(*module);
}

DWORD WINAPI GetModuleFileNameW(HMODULE module, LPWSTR fileName, DWORD size) {
    std::wstring path;
    {
        auto modules = Modules();
        auto* found = modules->Find(module);
        if (found == nullptr) {
            SetLastError(ERROR_MOD_NOT_FOUND);
            return 0;
        }
        path = found->FileName();
    }
    if (fileName == nullptr || size == 0) {
        SetLastError(ERROR_INSUFFICIENT_BUFFER);
        return 0;
    }
    // Too small a buffer gets what fits and a terminator, as on Windows.
    const auto copied = static_cast<DWORD>(std::min<std::size_t>(path.size(), size - 1));
    std::copy_n(path.begin(), copied, fileName);
    fileName[copied] = L'\0';
    if (copied < path.size()) {
        SetLastError(ERROR_INSUFFICIENT_BUFFER);
        return size;
    }
    return copied;
}

HMODULE WINAPI LoadLibraryW(LPCWSTR fileName) {
    auto key = fileName != nullptr ? ModuleKey(fileName) : std::nullopt;
    auto modules = Modules();
    auto* module = key ? modules->Load(*key) : nullptr;
    if (module == nullptr) {
        SetLastError(ERROR_MOD_NOT_FOUND);
        return nullptr;
    }
    return modules->HandleOf(*module);
}

BOOL WINAPI FreeLibrary(HMODULE module) {
    if (!Modules()->Release(module)) {
        SetLastError(ERROR_MOD_NOT_FOUND);
        return FALSE;
    }
    return TRUE;
}

FARPROC WINAPI GetProcAddress(HMODULE module, LPCSTR /*procName*/) {
    const bool known = Modules()->Find(module) != nullptr;
    SetLastError(known ? ERROR_PROC_NOT_FOUND : ERROR_MOD_NOT_FOUND);
    return nullptr;
}
