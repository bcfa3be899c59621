// DIALOGEX templates as resource compilers write them.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include <windef.h>

namespace platform::dialog {

// A class, menu or text field: an ordinal (0xFFFF, then a WORD) or a string.
struct TemplateName {
    std::optional<WORD> ordinal;
    std::wstring text;
};

struct ItemTemplate {
    DWORD style = 0;
    DWORD exStyle = 0;
    short x = 0, y = 0, cx = 0, cy = 0;  // dialog units
    DWORD id = 0;
    TemplateName className;
    TemplateName title;
};

struct DialogTemplate {
    DWORD style = 0;
    DWORD exStyle = 0;
    short x = 0, y = 0, cx = 0, cy = 0;
    std::wstring title;
    WORD pointSize = 8;
    std::wstring typeface;
    std::vector<ItemTemplate> items;
};

// Nothing in the bytes is trusted: a template that is not DIALOGEX or
// ends early gives nullopt.
std::optional<DialogTemplate> ReadDialogTemplate(std::span<const uint8_t> bytes);

}  // namespace platform::dialog
