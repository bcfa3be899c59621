// Tokens of a .x body, read from its text or its binary encoding.
#pragma once

#include <windef.h>

#include <cstddef>
#include <span>
#include <string_view>

namespace platform::d3dx9 {

enum class XToken {
    End,
    Error,
    Name,
    String,
    Number,
    IntegerList,
    FloatList,
    OpenBrace,
    CloseBrace,
    Guid,
    Template,
    Separator,  // commas, semicolons
    Other,      // declarations that only templates use
};

class XTokenizer {
public:
    XTokenizer(std::span<const BYTE> body, bool binary, bool doubles)
        : body_(body), binary_(binary), doubles_(doubles) {}

    XToken Next();

    // The last Name or String token.
    std::string_view text() const { return text_; }
    // The last Number token.
    double number() const { return number_; }
    // The last list token: its element count and each element.
    size_t listCount() const { return listCount_; }
    double ListElement(size_t index) const;

private:
    XToken NextText();
    XToken NextBinary();
    bool SkipSpaceAndComments();
    XToken TextNumber();
    bool Take(size_t count, const BYTE** start);

    std::span<const BYTE> body_;
    size_t at_ = 0;
    bool binary_;
    bool doubles_;
    std::string_view text_;
    double number_ = 0;
    XToken listKind_ = XToken::End;
    const BYTE* list_ = nullptr;
    size_t listCount_ = 0;
};

}  // namespace platform::d3dx9
