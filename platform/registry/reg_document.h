// The registry file's contents, and the changes made to them since the file
// was read. A change rewrites the lines of the values it changes and adds
// lines for new ones; every other line, one that does not parse included,
// is written back byte for byte, in the encoding the file had. Copies share
// the text as read and keep only their own changes, so that a change costs
// little whatever the file's size.
#pragma once

#include "registry/reg_syntax.h"
#include "registry/reg_text.h"

#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace platform::registry {

class RegDocument {
public:
    // An empty document.
    RegDocument();
    // The file's bytes; see RegText for what is read of them.
    explicit RegDocument(std::string bytes);

    bool HasKey(std::wstring_view path) const;
    std::optional<RegValue> FindValue(std::wstring_view keyPath, std::wstring_view name) const;

    // Whether the key was new; nothing for an invalid path.
    std::optional<bool> CreateKey(std::wstring_view path);
    // Whether the value changed (a new value, another type or other data);
    // nothing for an invalid path. Creates the key when it is missing.
    std::optional<bool> SetValue(std::wstring_view keyPath, std::wstring_view name, RegValue value);

    // The file's bytes with the changes.
    std::string Format() const;

private:
    // A section added at the end of the file for a key it had none for.
    struct AddedSection {
        std::wstring storedPath;
        std::wstring foldedPath;
    };
    enum class Place { kReplacingLines, kAfterLine, kInAddedSection };
    struct Change {
        std::wstring foldedPath;
        std::wstring foldedName;
        std::wstring name;
        RegValue value;
        Place place = Place::kInAddedSection;
        // Replacing: the value's first line, and the line feed ending its
        // last; after a line: just past that line; else the added section.
        std::size_t at = 0;
        std::size_t end = 0;
    };

    Change* FindChange(std::wstring_view foldedPath, std::wstring_view foldedName);
    const Change* FindChange(std::wstring_view foldedPath, std::wstring_view foldedName) const;
    // The added section for the key, added now if it has none.
    std::size_t SectionFor(std::vector<std::wstring> names, const std::wstring& foldedPath);
    // Encoded, with the file's line ending but no line feed.
    std::string NewLine(std::wstring_view text) const;

    std::shared_ptr<const RegText> text_;
    std::vector<AddedSection> added_;
    std::vector<Change> changes_;
};

}  // namespace platform::registry
