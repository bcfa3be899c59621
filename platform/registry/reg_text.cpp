#include "registry/reg_text.h"

#include "registry/key_paths.h"
#include "text/case_fold.h"

#include <platform/unicode.h>

#include <algorithm>
#include <cstring>
#include <limits>
#include <set>
#include <utility>

namespace platform::registry {
namespace {

constexpr uint32_t kFnvBasis = 2166136261u;
constexpr uint32_t kFnvPrime = 16777619u;

uint32_t HashOf(std::wstring_view text, uint32_t hash = kFnvBasis) {
    for (wchar_t c : text) {
        hash ^= static_cast<uint32_t>(c);
        hash *= kFnvPrime;
    }
    return hash;
}

uint32_t ValueHash(uint32_t pathHash, std::wstring_view foldedName) {
    return HashOf(foldedName, HashOf(L"\n", pathHash));
}

// Orders the index's entries for looking them up by hash.
struct ByHash {
    template <typename Entry>
    bool operator()(const Entry& a, const Entry& b) const {
        return a.hash < b.hash;
    }
};

// The shortest lines that can be a section ("[HKEY_CLASSES_ROOT]") or a
// value ("@=\"\""), in code units.
constexpr std::size_t kShortestSection = 19;
constexpr std::size_t kShortestValue = 4;

bool IsHexDigit(wchar_t c) {
    return (c >= L'0' && c <= L'9') || (c >= L'a' && c <= L'f') || (c >= L'A' && c <= L'F');
}

// The Registry Editor continues only hex data over lines: a value goes on
// over such lines alone, so that every line is looked at a bounded number
// of times however a damaged file is made.
bool IsHexContinuation(std::wstring_view line) {
    if (line.ends_with(L'\\')) line.remove_suffix(1);
    return std::ranges::all_of(line, [](wchar_t c) { return IsHexDigit(c) || c == L','; });
}

}  // namespace

RegText::RegText(std::string bytes) : bytes_(std::move(bytes)) {
    if (bytes_.size() > kMaxRegistryTextBytes) bytes_.clear();
    if (bytes_.size() >= 2 && bytes_[0] == '\xFF' && bytes_[1] == '\xFE') encoding_ = Encoding::Utf16Le;
    // A stray last byte of UTF-16 becomes a whole code unit, so that lines
    // written after it stay aligned.
    if (encoding_ == Encoding::Utf16Le && bytes_.size() % 2 != 0) bytes_ += '\0';
    const std::string lineFeed = Encode(L"\n");
    if (!bytes_.empty() && !bytes_.ends_with(lineFeed)) bytes_ += lineFeed;
    if (bytes_.empty()) return;

    const std::wstring first = DecodeLine(0, LineEnd(0));
    carriageReturns_ = first.ends_with(L'\r');
    startsWithHeader_ = IsHeader(first);
    startsWithByteOrderMark_ = bytes_.starts_with(Encode(L"\xFEFF"));
    Index();
}

std::string RegText::Encode(std::wstring_view text) const {
    return encoding_ == Encoding::Utf16Le ? Utf16LeFromWide(text) : Utf8FromWide(text);
}

std::size_t RegText::LineEnd(std::size_t begin) const {
    if (encoding_ == Encoding::Utf8) {
        const void* found = std::memchr(bytes_.data() + begin, '\n', bytes_.size() - begin);
        return found == nullptr ? bytes_.size() : static_cast<std::size_t>(static_cast<const char*>(found) - bytes_.data());
    }
    for (std::size_t i = begin; i + 1 < bytes_.size(); i += 2) {
        if (bytes_[i] == '\n' && bytes_[i + 1] == '\0') return i;
    }
    return bytes_.size();
}

std::wstring RegText::DecodeLine(std::size_t begin, std::size_t end) const {
    return encoding_ == Encoding::Utf16Le ? WideFromUtf16Le(bytes_.data() + begin, end - begin)
                                          : WideFromUtf8(std::string_view(bytes_).substr(begin, end - begin));
}

std::vector<std::wstring> RegText::SectionNamesAt(std::size_t header) const {
    return ParseSection(TrimmedEnd(DecodeLine(header, LineEnd(header))));
}

std::wstring RegText::FoldedPathAt(std::size_t header) const {
    const std::vector<std::wstring> names = SectionNamesAt(header);
    return names.empty() ? std::wstring() : FoldedPath(names);
}

std::optional<RegText::ParsedValue> RegText::ValueAt(std::size_t begin) const {
    const std::size_t unit = UnitBytes();
    std::size_t end = LineEnd(begin);
    const std::wstring first = DecodeLine(begin, end);
    std::wstring_view line = TrimmedEnd(first);
    std::wstring joined;
    if ((line.starts_with(L'"') || line.starts_with(L'@')) && line.ends_with(L'\\')) {
        joined = line;
        while (joined.ends_with(L'\\') && end + unit < bytes_.size()) {
            const std::size_t next = end + unit;
            const std::size_t nextEnd = LineEnd(next);
            const std::wstring continuation = DecodeLine(next, nextEnd);
            const std::wstring_view part = TrimmedStart(TrimmedEnd(continuation));
            if (!IsHexContinuation(part)) break;
            joined.pop_back();
            joined += part;
            end = nextEnd;
        }
        line = joined;
    }
    auto value = ParseValueLine(line);
    if (!value) return std::nullopt;
    return ParsedValue{std::move(*value), end};
}

void RegText::Index() {
    const std::size_t unit = UnitBytes();
    const auto unitAt = [&](std::size_t i) {
        const auto low = static_cast<unsigned char>(bytes_[i]);
        return unit == 1 ? wchar_t(low) : wchar_t(low | static_cast<unsigned char>(bytes_[i + 1]) << 8);
    };

    // Room for every line that may be a section or a value, made once.
    std::size_t sectionLines = 0, valueLines = 0;
    for (std::size_t begin = 0; begin < bytes_.size();) {
        const std::size_t end = LineEnd(begin);
        const std::size_t length = (end - begin) / unit;
        const wchar_t first = length > 0 ? unitAt(begin) : L'\0';
        if (first == L'[' && length >= kShortestSection) ++sectionLines;
        if ((first == L'"' || first == L'@') && length >= kShortestValue) ++valueLines;
        begin = end + unit;
    }
    sections_.reserve(sectionLines);
    values_.reserve(valueLines);

    std::optional<std::size_t> section;  // the one the lines are in
    for (std::size_t begin = 0; begin < bytes_.size();) {
        const std::size_t next = LineEnd(begin) + unit;
        const wchar_t first = next - begin > unit ? unitAt(begin) : L'\0';
        if (first == L'[') {
            const std::wstring path = FoldedPathAt(begin);
            section.reset();
            if (!path.empty()) {
                sections_.push_back({HashOf(path), static_cast<uint32_t>(begin), static_cast<uint32_t>(next)});
                section = sections_.size() - 1;
            }
        } else if (section && (first == L'"' || first == L'@')) {
            if (auto parsed = ValueAt(begin)) {
                Section& owner = sections_[*section];
                values_.push_back({ValueHash(owner.hash, UpperCase(parsed->value.name)), static_cast<uint32_t>(begin),
                                   owner.header});
                owner.insertAt = static_cast<uint32_t>(parsed->end + unit);
                begin = parsed->end + unit;
                continue;
            }
        }
        begin = next;
    }

    std::ranges::sort(sections_, {}, [](const Section& s) { return std::pair(s.hash, s.header); });
    std::ranges::sort(values_, {}, [](const Value& v) { return std::pair(v.hash, v.begin); });
    DropShadowedValues();
}

// Of the values of one key and name, the last in the text holds.
void RegText::DropShadowedValues() {
    std::size_t kept = 0;
    std::vector<Value> survivors;
    std::set<std::pair<std::wstring, std::wstring>> later;
    for (std::size_t run = 0; run < values_.size();) {
        std::size_t runEnd = run + 1;
        while (runEnd < values_.size() && values_[runEnd].hash == values_[run].hash) ++runEnd;
        survivors.clear();
        later.clear();
        for (std::size_t i = runEnd; i-- > run;) {
            const Value& value = values_[i];
            if (runEnd - run == 1 ||
                later.emplace(FoldedPathAt(value.header), UpperCase(ValueAt(value.begin)->value.name)).second)
                survivors.push_back(value);
        }
        for (auto survivor = survivors.rbegin(); survivor != survivors.rend(); ++survivor) values_[kept++] = *survivor;
        run = runEnd;
    }
    values_.resize(kept);
}

std::optional<RegText::StoredValue> RegText::FindValue(std::wstring_view foldedPath,
                                                       std::wstring_view foldedName) const {
    const uint32_t hash = ValueHash(HashOf(foldedPath), foldedName);
    const auto [first, last] = std::equal_range(values_.begin(), values_.end(), Value{hash, 0, 0}, ByHash{});
    for (auto candidate = first; candidate != last; ++candidate) {
        if (FoldedPathAt(candidate->header) != foldedPath) continue;
        auto parsed = ValueAt(candidate->begin);
        if (UpperCase(parsed->value.name) != foldedName) continue;
        return StoredValue{std::move(parsed->value.name), std::move(parsed->value.value), candidate->begin, parsed->end};
    }
    return std::nullopt;
}

std::optional<std::size_t> RegText::InsertionPoint(std::wstring_view foldedPath) const {
    const auto [first, last] =
        std::equal_range(sections_.begin(), sections_.end(), Section{HashOf(foldedPath), 0, 0}, ByHash{});
    for (auto section = last; section != first;) {
        --section;
        if (FoldedPathAt(section->header) == foldedPath) return section->insertAt;
    }
    return std::nullopt;
}

bool RegText::HasKey(std::wstring_view foldedPath) const {
    if (InsertionPoint(foldedPath)) return true;
    const std::wstring below = std::wstring(foldedPath) + L'\\';
    return std::ranges::any_of(sections_,
                               [&](const Section& section) { return FoldedPathAt(section.header).starts_with(below); });
}

std::size_t RegText::TakeStoredNames(std::vector<std::wstring>& names) const {
    names.front() = RootNamed(names.front());
    std::vector<std::wstring> folded;
    for (const std::wstring& name : names) folded.push_back(UpperCase(name));
    // Where the first section along the path to each depth begins.
    constexpr std::size_t kNone = std::numeric_limits<std::size_t>::max();
    std::vector<std::size_t> first(names.size(), kNone);
    for (const Section& section : sections_) {
        const std::vector<std::wstring> along = SectionNamesAt(section.header);
        if (RootNamed(along.front()) != names.front()) continue;
        for (std::size_t depth = 1; depth < std::min(along.size(), names.size()) && UpperCase(along[depth]) == folded[depth];
             ++depth)
            first[depth] = std::min<std::size_t>(first[depth], section.header);
    }
    std::size_t taken = 1;
    for (; taken < names.size() && first[taken] != kNone; ++taken) names[taken] = SectionNamesAt(first[taken])[taken];
    return taken;
}

}  // namespace platform::registry
