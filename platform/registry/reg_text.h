// A registry file's text as it was read, in UTF-8 or in UTF-16LE with its
// byte-order mark, and an index of the sections and values it holds. The
// index keeps a few numbers for each section and value line and nothing for
// any other line; names and data are read from the text when asked for, so
// that a large file costs little more than its bytes.
#pragma once

#include "registry/reg_syntax.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace platform::registry {

// The largest text read; a longer one reads as empty.
inline constexpr std::size_t kMaxRegistryTextBytes = std::size_t{16} << 20;

class RegText {
public:
    enum class Encoding { Utf8, Utf16Le };

    // Reads what it can, never failing as a whole: a line that does not
    // parse is skipped, and so are values outside a valid [key] section.
    // Linear in the size of the text, apart from sorting the index.
    explicit RegText(std::string bytes);

    Encoding encoding() const { return encoding_; }
    // Whether the first line ends in a carriage return, as new lines then do.
    bool carriageReturns() const { return carriageReturns_; }
    bool startsWithHeader() const { return startsWithHeader_; }
    bool startsWithByteOrderMark() const { return startsWithByteOrderMark_; }
    // The text, a stray last byte of UTF-16 made a whole code unit and a
    // last line ended with a line feed.
    const std::string& bytes() const { return bytes_; }

    std::string Encode(std::wstring_view text) const;

    // A value of a key (both by FoldedPath and folded name), with the name
    // as stored and the place of its lines: the last such value of the text.
    struct StoredValue {
        std::wstring name;
        RegValue value;
        std::size_t begin;  // of its first line
        std::size_t end;    // of the line feed ending its last line
    };
    std::optional<StoredValue> FindValue(std::wstring_view foldedPath, std::wstring_view foldedName) const;

    // Just past the line that values added to the key follow: the last line
    // of the last section naming it. Nothing when no section names it.
    std::optional<std::size_t> InsertionPoint(std::wstring_view foldedPath) const;

    // Whether a section names the key or a key below it.
    bool HasKey(std::wstring_view foldedPath) const;

    // The names of the key's path as the text first gives them, as far as
    // the text has keys along it; returns how many of the names those are.
    std::size_t TakeStoredNames(std::vector<std::wstring>& names) const;

private:
    struct Section {
        uint32_t hash;      // of its key's folded path
        uint32_t header;    // where its section line begins
        uint32_t insertAt;  // just past its last line
    };
    struct Value {
        uint32_t hash;    // of its key's folded path and its folded name
        uint32_t begin;   // where its first line begins
        uint32_t header;  // where its section's line begins
    };
    struct ParsedValue {
        NamedValue value;
        std::size_t end;
    };

    std::size_t UnitBytes() const { return encoding_ == Encoding::Utf16Le ? 2 : 1; }
    // Where the line feed of the line that begins there is.
    std::size_t LineEnd(std::size_t begin) const;
    std::wstring DecodeLine(std::size_t begin, std::size_t end) const;
    // The key a section line names, as FoldedPath; empty when none.
    std::wstring FoldedPathAt(std::size_t header) const;
    std::vector<std::wstring> SectionNamesAt(std::size_t header) const;
    // The value whose lines begin there, continued over lines that end in a
    // backslash; nothing when they do not parse.
    std::optional<ParsedValue> ValueAt(std::size_t begin) const;
    void Index();
    void DropShadowedValues();

    std::string bytes_;
    Encoding encoding_ = Encoding::Utf8;
    bool carriageReturns_ = false;
    bool startsWithHeader_ = false;
    bool startsWithByteOrderMark_ = false;
    std::vector<Section> sections_;  // by hash, then place
    std::vector<Value> values_;      // by hash, then place; one for each key and name
};

}  // namespace platform::registry
