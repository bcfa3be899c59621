// Handles of opened keys. A handle stands for the full path of its key; it
// is looked up, never dereferenced, so a closed or made-up handle is refused.
#pragma once

#include <windef.h>

#include <optional>
#include <string>

namespace platform::registry {

HKEY AddKeyHandle(std::wstring path);
// The key's full path, for the predefined roots too; nothing for a handle
// that is not open.
std::optional<std::wstring> KeyPathOf(HKEY key);
// False for a handle that is not open. The predefined roots stay open.
bool RemoveKeyHandle(HKEY key);

}  // namespace platform::registry
