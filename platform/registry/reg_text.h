// The Windows Registry Editor text format ("Windows Registry Editor Version
// 5.00"), in UTF-8 or in UTF-16LE with its byte-order mark, as the Registry
// Editor itself writes it. The file's own lines are kept: a change rewrites
// the lines of the values it changes and adds lines for new ones, and every
// other line, one that does not parse included, is written back byte for
// byte, in the encoding the file had.
#pragma once

#include "registry/registry_data.h"

#include <string>
#include <string_view>
#include <vector>

namespace platform::registry {

class RegDocument {
public:
    // Reads what it can: a line that does not parse is skipped, values
    // outside a valid [key] section are skipped, so damaged text never fails
    // as a whole. Linear in the size of the text.
    static RegDocument Parse(std::string_view bytes);

    const RegistryData& data() const { return data_; }

    // Whether the key was new; nothing for an invalid path.
    std::optional<bool> CreateKey(std::wstring_view path);
    // False for an invalid path.
    bool SetValue(std::wstring_view keyPath, std::wstring_view name, DWORD type, std::vector<BYTE> data);

    // The file's bytes with the changes made since Parse.
    std::string Format() const;

private:
    enum class Encoding { Utf8, Utf16Le };

    struct Line {
        std::string bytes;              // as read, without its line feed
        std::string replacement;        // the value's new text, when it changed
        bool replaced = false;          // the first line of a changed value
        bool dropped = false;           // a further line of a changed value
        std::vector<std::string> added; // new lines written after this one
    };

    std::wstring Decode(std::string_view bytes) const;
    std::string Encode(std::wstring_view text) const;
    // Encodes a new line with the file's line ending.
    std::string NewLine(std::wstring_view text) const;
    Key* CreateSection(std::wstring_view path, bool& created);
    // Opens a section for the key at the end of the file.
    void AddSectionLine(std::wstring_view path, Key& key);

    Encoding encoding_ = Encoding::Utf8;
    bool carriageReturns_ = false;
    std::vector<Line> lines_;
    RegistryData data_;
};

}  // namespace platform::registry
