#include "d3dx9/xfile/x_tokens.h"

#include <charconv>
#include <cstring>

namespace platform::d3dx9 {
namespace {

// Binary token ids.
enum : WORD {
    kName = 1,
    kString = 2,
    kInteger = 3,
    kGuid = 5,
    kIntegerList = 6,
    kFloatList = 7,
    kOpenBrace = 10,
    kCloseBrace = 11,
    kOpenParen = 12,
    kCloseParen = 13,
    kOpenBracket = 14,
    kCloseBracket = 15,
    kOpenAngle = 16,
    kCloseAngle = 17,
    kDot = 18,
    kComma = 19,
    kSemicolon = 20,
    kTemplate = 31,
    kFirstType = 40,
    kLastType = 53,
};

DWORD Dword(const BYTE* p) { return DWORD(p[0]) | DWORD(p[1]) << 8 | DWORD(p[2]) << 16 | DWORD(p[3]) << 24; }

bool NameStart(BYTE c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_'; }
bool NameChar(BYTE c) { return NameStart(c) || (c >= '0' && c <= '9') || c == '-' || c == '.'; }
bool NumberStart(BYTE c) { return (c >= '0' && c <= '9') || c == '-' || c == '+' || c == '.'; }

}  // namespace

XToken XTokenizer::Next() { return binary_ ? NextBinary() : NextText(); }

double XTokenizer::ListElement(size_t index) const {
    if (listKind_ == XToken::IntegerList) return Dword(list_ + 4 * index);
    if (doubles_) {
        double value;
        std::memcpy(&value, list_ + 8 * index, 8);
        return value;
    }
    float value;
    std::memcpy(&value, list_ + 4 * index, 4);
    return value;
}

bool XTokenizer::Take(size_t count, const BYTE** start) {
    if (count > body_.size() - at_) return false;
    *start = body_.data() + at_;
    at_ += count;
    return true;
}

XToken XTokenizer::NextBinary() {
    if (at_ == body_.size()) return XToken::End;
    const BYTE* p = nullptr;
    if (!Take(2, &p)) return XToken::Error;
    const WORD id = WORD(p[0] | p[1] << 8);
    switch (id) {
        case kName:
        case kString: {
            if (!Take(4, &p)) return XToken::Error;
            const DWORD length = Dword(p);
            if (!Take(length, &p)) return XToken::Error;
            text_ = std::string_view(reinterpret_cast<const char*>(p), length);
            return id == kName ? XToken::Name : XToken::String;
        }
        case kInteger:
            if (!Take(4, &p)) return XToken::Error;
            number_ = Dword(p);
            return XToken::Number;
        case kGuid:
            return Take(16, &p) ? XToken::Guid : XToken::Error;
        case kIntegerList:
        case kFloatList: {
            if (!Take(4, &p)) return XToken::Error;
            const size_t count = Dword(p);
            const size_t size = id == kFloatList && doubles_ ? 8 : 4;
            // The count is checked against the bytes left before anything
            // is read or reserved.
            if (count > (body_.size() - at_) / size || !Take(count * size, &list_)) return XToken::Error;
            listCount_ = count;
            listKind_ = id == kIntegerList ? XToken::IntegerList : XToken::FloatList;
            return listKind_;
        }
        case kOpenBrace:
            return XToken::OpenBrace;
        case kCloseBrace:
            return XToken::CloseBrace;
        case kComma:
        case kSemicolon:
            return XToken::Separator;
        case kTemplate:
            return XToken::Template;
        case kOpenParen:
        case kCloseParen:
        case kOpenBracket:
        case kCloseBracket:
        case kOpenAngle:
        case kCloseAngle:
        case kDot:
            return XToken::Other;
        default:
            return id >= kFirstType && id <= kLastType ? XToken::Other : XToken::Error;
    }
}

bool XTokenizer::SkipSpaceAndComments() {
    while (at_ < body_.size()) {
        const BYTE c = body_[at_];
        if (c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f' || c == '\v' || c == 0) {
            ++at_;
        } else if (c == '#' || (c == '/' && at_ + 1 < body_.size() && body_[at_ + 1] == '/')) {
            while (at_ < body_.size() && body_[at_] != '\n') ++at_;
        } else {
            return true;
        }
    }
    return false;
}

XToken XTokenizer::TextNumber() {
    const char* start = reinterpret_cast<const char*>(body_.data() + at_);
    const char* end = reinterpret_cast<const char*>(body_.data() + body_.size());
    if (*start == '+') ++start;
    const auto [stop, error] = std::from_chars(start, end, number_);
    if (error != std::errc() || stop == start) return XToken::Error;
    at_ = static_cast<size_t>(reinterpret_cast<const BYTE*>(stop) - body_.data());
    return XToken::Number;
}

XToken XTokenizer::NextText() {
    if (!SkipSpaceAndComments()) return XToken::End;
    const BYTE c = body_[at_];
    switch (c) {
        case '{':
            ++at_;
            return XToken::OpenBrace;
        case '}':
            ++at_;
            return XToken::CloseBrace;
        case ',':
        case ';':
            ++at_;
            return XToken::Separator;
        case '<': {
            const size_t start = at_;
            while (at_ < body_.size() && body_[at_] != '>' && at_ - start < 40) ++at_;
            if (at_ == body_.size() || body_[at_] != '>') return XToken::Error;
            ++at_;
            return XToken::Guid;
        }
        case '"': {
            const size_t start = ++at_;
            while (at_ < body_.size() && body_[at_] != '"') ++at_;
            if (at_ == body_.size()) return XToken::Error;
            text_ = std::string_view(reinterpret_cast<const char*>(body_.data() + start), at_ - start);
            ++at_;
            return XToken::String;
        }
        case '(':
        case ')':
        case '[':
        case ']':
            ++at_;
            return XToken::Other;
        default:
            break;
    }
    if (NameStart(c)) {
        const size_t start = at_;
        while (at_ < body_.size() && NameChar(body_[at_])) ++at_;
        text_ = std::string_view(reinterpret_cast<const char*>(body_.data() + start), at_ - start);
        return text_ == "template" ? XToken::Template : XToken::Name;
    }
    if (NumberStart(c)) return TextNumber();
    return XToken::Error;
}

}  // namespace platform::d3dx9
