#include "resources/res_file.h"

#include <optional>
#include <string>

#include <platform/unicode.h>

namespace platform::resources {
namespace {

constexpr std::size_t AlignedTo4(std::size_t offset) { return (offset + 3) & ~std::size_t{3}; }

// Little-endian fields of one entry header, never past its end.
class HeaderReader {
public:
    explicit HeaderReader(std::span<const uint8_t> header) : header_(header) {}

    std::optional<DWORD> Dword() {
        auto low = Word();
        auto high = Word();
        if (!low || !high) return std::nullopt;
        return static_cast<DWORD>(*low | (DWORD{*high} << 16));
    }

    std::optional<WORD> Word() {
        if (header_.size() - offset_ < 2) return std::nullopt;
        const WORD value = static_cast<WORD>(header_[offset_] | (header_[offset_ + 1] << 8));
        offset_ += 2;
        return value;
    }

    // 0xFFFF and an ordinal, or a zero-terminated UTF-16LE string.
    std::optional<ResourceName> NameOrId() {
        const std::size_t start = offset_;
        auto first = Word();
        if (!first) return std::nullopt;
        if (*first == 0xFFFF) {
            auto id = Word();
            if (!id) return std::nullopt;
            return ResourceName::Integer(*id);
        }
        for (auto unit = first; unit; unit = Word()) {
            if (*unit == 0) {
                return ResourceName::String(WideFromUtf16Le(header_.data() + start, offset_ - 2 - start));
            }
        }
        return std::nullopt;
    }

    bool Skip(std::size_t count) {
        if (header_.size() - offset_ < count) return false;
        offset_ += count;
        return true;
    }

    bool AlignTo4() { return Skip(AlignedTo4(offset_) - offset_); }

private:
    std::span<const uint8_t> header_;
    std::size_t offset_ = 0;
};

struct ParsedEntry {
    ResEntry entry;
    std::size_t next;  // offset of the following entry
};

std::optional<ParsedEntry> ParseEntryAt(std::span<const uint8_t> bytes, std::size_t offset) {
    HeaderReader sizes(bytes.subspan(offset));
    auto dataSize = sizes.Dword();
    auto headerSize = sizes.Dword();
    if (!dataSize || !headerSize) return std::nullopt;
    const std::size_t left = bytes.size() - offset;
    if (*headerSize > left || *dataSize > left - *headerSize) return std::nullopt;

    HeaderReader header(bytes.subspan(offset, *headerSize));
    if (!header.Skip(8)) return std::nullopt;  // the two sizes
    auto type = header.NameOrId();
    if (!type) return std::nullopt;
    auto name = header.NameOrId();
    if (!name || !header.AlignTo4() || !header.Skip(4 + 2)) return std::nullopt;  // DataVersion, MemoryFlags
    auto language = header.Word();
    if (!language || !header.Skip(4 + 4)) return std::nullopt;  // Version, Characteristics

    const std::size_t dataStart = offset + *headerSize;
    return ParsedEntry{ResEntry{std::move(*type), std::move(*name), *language,
                                bytes.subspan(dataStart, *dataSize)},
                       AlignedTo4(dataStart + *dataSize)};
}

bool IsEmptyEntry(const ResEntry& entry) {
    return entry.type == ResourceName::Integer(0) && entry.name == ResourceName::Integer(0) &&
           entry.data.empty();
}

}  // namespace

std::vector<ResEntry> ReadResEntries(std::span<const uint8_t> bytes) {
    std::vector<ResEntry> entries;
    auto parsed = ParseEntryAt(bytes, 0);
    // A 32-bit .res file opens with an empty entry; anything else is not one.
    if (!parsed || !IsEmptyEntry(parsed->entry)) return entries;
    std::size_t offset = parsed->next;
    while (offset < bytes.size()) {
        parsed = ParseEntryAt(bytes, offset);
        if (!parsed) break;
        if (!IsEmptyEntry(parsed->entry)) entries.push_back(std::move(parsed->entry));
        offset = parsed->next;
    }
    return entries;
}

}  // namespace platform::resources
