// LoadStringW: string tables of the module, in blocks of 16.
#include <algorithm>
#include <cstring>
#include <optional>
#include <string>

#include <windows.h>

#include "resources/module_table.h"
#include "resources/resource_name.h"
#include "resources/string_table.h"

using platform::resources::kStringsPerBlock;
using platform::resources::Modules;
using platform::resources::ResourceName;
using platform::resources::StringBlockId;
using platform::resources::StringInBlock;

int WINAPI LoadStringW(HINSTANCE instance, UINT id, LPWSTR buffer, int bufferMax) {
    if (buffer == nullptr || bufferMax < 0) return 0;
    if (bufferMax > 0) buffer[0] = L'\0';

    auto modules = Modules();
    auto* module = modules->Find(instance);
    if (module == nullptr) {
        SetLastError(ERROR_INVALID_HANDLE);
        return 0;
    }
    auto* block = module->Find(ResourceName::FromArgument(RT_STRING), ResourceName::Integer(StringBlockId(id)), 0);
    if (block == nullptr) {
        SetLastError(ERROR_RESOURCE_NAME_NOT_FOUND);
        return 0;
    }
    const UINT slot = id % kStringsPerBlock;
    std::optional<std::wstring> text = StringInBlock(block->data, slot);
    if (!text || text->empty()) return 0;

    if (bufferMax == 0) {
        // A read-only copy that lives as long as the module, terminated.
        const std::wstring& copy = block->wideStrings.try_emplace(slot, std::move(*text)).first->second;
        const wchar_t* pointer = copy.c_str();
        std::memcpy(buffer, &pointer, sizeof pointer);
        return static_cast<int>(copy.size());
    }
    const auto copied = static_cast<int>(std::min<std::size_t>(text->size(), static_cast<std::size_t>(bufferMax) - 1));
    std::copy_n(text->begin(), copied, buffer);
    buffer[copied] = L'\0';
    return copied;
}
