#include "support/document_bytes.h"

#include <algorithm>
#include <bit>

Bytes Utf16Le(std::u16string_view text) {
    Bytes bytes;
    for (char16_t unit : text) {
        bytes.push_back(static_cast<BYTE>(unit & 0xFF));
        bytes.push_back(static_cast<BYTE>(unit >> 8));
    }
    return bytes;
}

Bytes Le16(WORD value) {
    return {static_cast<BYTE>(value), static_cast<BYTE>(value >> 8)};
}

Bytes Le32(DWORD value) {
    return {static_cast<BYTE>(value), static_cast<BYTE>(value >> 8), static_cast<BYTE>(value >> 16),
            static_cast<BYTE>(value >> 24)};
}

Bytes LeInt(INT value) {
    return Le32(static_cast<DWORD>(value));
}

Bytes LeFloat(float value) {
    return Le32(std::bit_cast<DWORD>(value));
}

Bytes Join(std::initializer_list<Bytes> parts) {
    Bytes joined;
    for (const Bytes& part : parts) {
        Append(joined, part);
    }
    return joined;
}

void Append(Bytes& bytes, const Bytes& part) {
    bytes.insert(bytes.end(), part.begin(), part.end());
}

Bytes ShortString(std::u16string_view text) {
    return Join({{0xFF, 0xFE, 0xFF, static_cast<BYTE>(text.size())}, Utf16Le(text)});
}

Bytes Frame(std::u16string_view className, DWORD version) {
    return Join({ShortString(className), Le32(version)});
}

Bytes EmptySlideShowRecord() {
    return Join({Frame(u"KV_SlideShow_Light", 1), Le32(0), Le32(0)});
}

Bytes HandBuiltDocument(std::u16string_view header) {
    return Join({ShortString(header), EmptySlideShowRecord(), Frame(u"KV_DocResManager", 3),
                 Le32(0), Le32(0), Le32(0), Le32(0)});
}

HeldBytes::HeldBytes(const Bytes& bytes)
    : bytes_(std::make_unique<BYTE[]>(std::max<std::size_t>(bytes.size(), 1))), size_(bytes.size()) {
    std::copy(bytes.begin(), bytes.end(), bytes_.get());
}
