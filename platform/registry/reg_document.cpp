#include "registry/reg_document.h"

#include "registry/key_paths.h"
#include "text/case_fold.h"

#include <algorithm>
#include <utility>

namespace platform::registry {

RegDocument::RegDocument() : RegDocument(std::string()) {}

RegDocument::RegDocument(std::string bytes) : text_(std::make_shared<const RegText>(std::move(bytes))) {}

RegDocument::Change* RegDocument::FindChange(std::wstring_view foldedPath, std::wstring_view foldedName) {
    const auto found = std::ranges::find_if(changes_, [&](const Change& change) {
        return change.foldedPath == foldedPath && change.foldedName == foldedName;
    });
    return found == changes_.end() ? nullptr : &*found;
}

const RegDocument::Change* RegDocument::FindChange(std::wstring_view foldedPath,
                                                   std::wstring_view foldedName) const {
    return const_cast<RegDocument*>(this)->FindChange(foldedPath, foldedName);
}

bool RegDocument::HasKey(std::wstring_view path) const {
    const std::vector<std::wstring> names = SplitKeyPath(path);
    if (!IsValidKeyPath(names)) return false;
    if (names.size() == 1) return true;  // the roots are always there
    const std::wstring folded = FoldedPath(names);
    const std::wstring below = folded + L'\\';
    return text_->HasKey(folded) || std::ranges::any_of(added_, [&](const AddedSection& section) {
               return section.foldedPath == folded || section.foldedPath.starts_with(below);
           });
}

std::optional<RegValue> RegDocument::FindValue(std::wstring_view keyPath, std::wstring_view name) const {
    const std::vector<std::wstring> names = SplitKeyPath(keyPath);
    if (!IsValidKeyPath(names)) return std::nullopt;
    const std::wstring folded = FoldedPath(names);
    const std::wstring foldedName = UpperCase(name);
    if (const Change* change = FindChange(folded, foldedName)) return change->value;
    if (auto stored = text_->FindValue(folded, foldedName)) return std::move(stored->value);
    return std::nullopt;
}

std::optional<bool> RegDocument::CreateKey(std::wstring_view path) {
    std::vector<std::wstring> names = SplitKeyPath(path);
    if (!IsValidKeyPath(names)) return std::nullopt;
    // Keys above it need no section of their own: the path implies them.
    if (HasKey(path)) return false;
    const std::wstring folded = FoldedPath(names);
    SectionFor(std::move(names), folded);
    return true;
}

std::optional<bool> RegDocument::SetValue(std::wstring_view keyPath, std::wstring_view name, RegValue value) {
    std::vector<std::wstring> names = SplitKeyPath(keyPath);
    if (!IsValidKeyPath(names)) return std::nullopt;
    Change change{FoldedPath(names), UpperCase(name), std::wstring(name), std::move(value)};
    if (Change* earlier = FindChange(change.foldedPath, change.foldedName)) {
        if (earlier->value == change.value) return false;
        earlier->value = std::move(change.value);
        return true;
    }
    if (auto stored = text_->FindValue(change.foldedPath, change.foldedName)) {
        if (stored->value == change.value) return false;
        change.name = std::move(stored->name);
        change.place = Place::kReplacingLines;
        change.at = stored->begin;
        change.end = stored->end;
    } else if (const auto point = text_->InsertionPoint(change.foldedPath)) {
        change.place = Place::kAfterLine;
        change.at = *point;
    } else {
        change.at = SectionFor(std::move(names), change.foldedPath);
    }
    changes_.push_back(std::move(change));
    return true;
}

std::size_t RegDocument::SectionFor(std::vector<std::wstring> names, const std::wstring& foldedPath) {
    const auto found = std::ranges::find(added_, foldedPath, &AddedSection::foldedPath);
    if (found != added_.end()) return static_cast<std::size_t>(found - added_.begin());
    // The names of keys that exist already, as they were first given.
    const auto sameName = [](const std::wstring& a, const std::wstring& b) { return UpperCase(a) == UpperCase(b); };
    for (std::size_t depth = text_->TakeStoredNames(names); depth < names.size(); ++depth) {
        for (const AddedSection& section : added_) {
            const std::vector<std::wstring> along = SplitKeyPath(section.storedPath);
            if (along.size() > depth &&
                std::equal(names.begin(), names.begin() + static_cast<std::ptrdiff_t>(depth) + 1, along.begin(), sameName)) {
                names[depth] = along[depth];
                break;
            }
        }
    }
    added_.push_back({JoinedPath(names), foldedPath});
    return added_.size() - 1;
}

std::string RegDocument::NewLine(std::wstring_view text) const {
    return text_->Encode(text_->carriageReturns() ? std::wstring(text) + L'\r' : std::wstring(text));
}

std::string RegDocument::Format() const {
    const RegText& text = *text_;
    const std::string& bytes = text.bytes();
    const std::string lineFeed = text.Encode(L"\n");
    const std::string byteOrderMark = text.Encode(L"\xFEFF");

    struct Edit {
        std::size_t at;
        std::size_t resume;  // where the text goes on after it
        std::string lines;
        std::size_t order;
    };
    std::vector<Edit> edits;
    std::size_t addedBytes = 0;
    for (std::size_t i = 0; i < changes_.size(); ++i) {
        const Change& change = changes_[i];
        std::string line = NewLine(FormatValueLine(change.name, change.value));
        addedBytes += line.size() + lineFeed.size();
        if (change.place == Place::kReplacingLines) edits.push_back({change.at, change.end, std::move(line), i});
        else if (change.place == Place::kAfterLine) edits.push_back({change.at, change.at, line + lineFeed, i});
    }
    std::ranges::sort(edits, {}, [](const Edit& edit) { return std::pair(edit.at, edit.order); });

    std::string out;
    out.reserve(bytes.size() + addedBytes + 256 * (added_.size() + 1));
    // The byte-order mark stays first, also before a header added here.
    std::size_t from = 0;
    if (text.startsWithByteOrderMark()) from = byteOrderMark.size();
    if (text.startsWithByteOrderMark() || text.encoding() == RegText::Encoding::Utf16Le) out += byteOrderMark;
    if (!text.startsWithHeader()) {
        out += NewLine(kHeader) + lineFeed;
        if (!bytes.empty()) out += NewLine(L"") + lineFeed;
    }
    for (const Edit& edit : edits) {
        out.append(bytes, from, edit.at - from);
        out += edit.lines;
        from = edit.resume;
    }
    out.append(bytes, from);
    for (std::size_t s = 0; s < added_.size(); ++s) {
        out += NewLine(L"") + lineFeed + NewLine(L"[" + added_[s].storedPath + L"]") + lineFeed;
        for (const Change& change : changes_) {
            if (change.place == Place::kInAddedSection && change.at == s)
                out += NewLine(FormatValueLine(change.name, change.value)) + lineFeed;
        }
    }
    return out;
}

}  // namespace platform::registry
