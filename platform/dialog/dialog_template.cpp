#include "dialog/dialog_template.h"

#include <cstring>

#include <windows.h>

namespace platform::dialog {
namespace {

class TemplateReader {
public:
    explicit TemplateReader(std::span<const uint8_t> bytes) : bytes_(bytes) {}

    bool Failed() const { return failed_; }

    template <typename T>
    T Read() {
        T value{};
        if (!Take(sizeof(T))) return value;
        std::memcpy(&value, bytes_.data() + offset_ - sizeof(T), sizeof(T));
        return value;
    }

    std::wstring ReadString() {
        std::wstring text;
        for (WORD unit = Read<WORD>(); unit != 0 && !failed_; unit = Read<WORD>()) text.push_back(unit);
        return text;
    }

    TemplateName ReadName() {
        TemplateName name;
        const WORD first = Read<WORD>();
        if (first == 0xFFFF) {
            name.ordinal = Read<WORD>();
        } else if (first != 0) {
            name.text.push_back(first);
            name.text += ReadString();
        }
        return name;
    }

    void AlignToDword() { Take((4 - offset_ % 4) % 4); }
    void Skip(size_t count) { Take(count); }

private:
    bool Take(size_t count) {
        if (failed_ || bytes_.size() - offset_ < count) {
            failed_ = true;
            return false;
        }
        offset_ += count;
        return true;
    }

    std::span<const uint8_t> bytes_;
    size_t offset_ = 0;
    bool failed_ = false;
};

}  // namespace

std::optional<DialogTemplate> ReadDialogTemplate(std::span<const uint8_t> bytes) {
    TemplateReader reader(bytes);
    const WORD version = reader.Read<WORD>();
    const WORD signature = reader.Read<WORD>();
    if (reader.Failed() || version != 1 || signature != 0xFFFF) return std::nullopt;
    DialogTemplate dialog;
    reader.Read<DWORD>();  // help id
    dialog.exStyle = reader.Read<DWORD>();
    dialog.style = reader.Read<DWORD>();
    const WORD itemCount = reader.Read<WORD>();
    dialog.x = reader.Read<short>();
    dialog.y = reader.Read<short>();
    dialog.cx = reader.Read<short>();
    dialog.cy = reader.Read<short>();
    reader.ReadName();  // menu
    reader.ReadName();  // window class
    dialog.title = reader.ReadString();
    if ((dialog.style & DS_SETFONT) != 0) {
        dialog.pointSize = reader.Read<WORD>();
        reader.Read<WORD>();  // weight
        reader.Skip(2);       // italic, character set
        dialog.typeface = reader.ReadString();
    }
    for (WORD i = 0; i < itemCount && !reader.Failed(); ++i) {
        reader.AlignToDword();
        ItemTemplate item;
        reader.Read<DWORD>();  // help id
        item.exStyle = reader.Read<DWORD>();
        item.style = reader.Read<DWORD>();
        item.x = reader.Read<short>();
        item.y = reader.Read<short>();
        item.cx = reader.Read<short>();
        item.cy = reader.Read<short>();
        item.id = reader.Read<DWORD>();
        item.className = reader.ReadName();
        item.title = reader.ReadName();
        reader.Skip(reader.Read<WORD>());  // creation data
        dialog.items.push_back(std::move(item));
    }
    if (reader.Failed()) return std::nullopt;
    return dialog;
}

}  // namespace platform::dialog
