#include "sound/temp_files.h"

#include <cwchar>

kv_string StoredFileName(const kv_string& storedPath)
{
    const size_t slash = storedPath.rfind(L'\\');
    return slash == kv_string::npos ? storedPath : storedPath.substr(slash + 1);
}

kv_string TempFolderPath(const kv_string& name)
{
    wchar_t folder[MAX_PATH + 1] = {};
    const DWORD length = GetTempPathW(MAX_PATH, folder);
    if (length == 0 || length > MAX_PATH)
        return name;
    return kv_string(folder) + name;
}

kv_string UniqueTempName(const kv_string& storedPath)
{
    // FNV-1a over the code units: stable from run to run, so that each
    // run overwrites its own copies instead of adding new ones.
    unsigned int hash = 2166136261u;
    for (wchar_t unit : storedPath) {
        hash ^= static_cast<unsigned int>(unit);
        hash *= 16777619u;
    }
    wchar_t prefix[16];
    std::swprintf(prefix, 16, L"%08x-", hash);
    return prefix + StoredFileName(storedPath);
}

bool WriteWholeFile(const kv_string& path, const BYTE* bytes, DWORD size)
{
    const HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    DWORD written = 0;
    const bool whole = WriteFile(file, bytes, size, &written, nullptr) && written == size;
    CloseHandle(file);
    return whole;
}
