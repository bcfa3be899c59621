#include "registry/reg_syntax.h"

#include <winreg.h>

#include <cstdint>
#include <cstring>

#include "registry/key_paths.h"

namespace platform::registry {
namespace {

// ---- Writing -------------------------------------------------------------

// Backslash and quote as the Registry Editor escapes them; line breaks as
// \n and \r, so that any name stays on its own line.
void AppendQuoted(std::wstring& out, std::wstring_view text) {
    out += L'"';
    for (wchar_t c : text) {
        switch (c) {
            case L'\\': out += L"\\\\"; break;
            case L'"': out += L"\\\""; break;
            case L'\n': out += L"\\n"; break;
            case L'\r': out += L"\\r"; break;
            default: out += c;
        }
    }
    out += L'"';
}

bool IsScalarValue(uint32_t c) { return c != 0 && c <= 0x10FFFF && (c < 0xD800 || c > 0xDFFF); }

// REG_SZ data that is exactly one terminated string of characters UTF-8 can
// carry; anything else is kept byte for byte as hex(1).
std::optional<std::wstring> AsPlainString(const std::vector<BYTE>& data) {
    if (data.size() < sizeof(wchar_t) || data.size() % sizeof(wchar_t) != 0) return std::nullopt;
    std::wstring text(data.size() / sizeof(wchar_t), L'\0');
    std::memcpy(text.data(), data.data(), data.size());
    if (text.back() != L'\0') return std::nullopt;
    text.pop_back();
    for (wchar_t c : text) {
        if (!IsScalarValue(static_cast<uint32_t>(c))) return std::nullopt;
    }
    return text;
}

void AppendHex(std::wstring& out, uint32_t number, int digits) {
    static constexpr wchar_t kDigits[] = L"0123456789abcdef";
    for (int shift = 4 * (digits - 1); shift >= 0; shift -= 4) out += kDigits[(number >> shift) & 0xF];
}

void AppendBytes(std::wstring& out, const std::vector<BYTE>& data) {
    for (std::size_t i = 0; i < data.size(); ++i) {
        if (i > 0) out += L',';
        AppendHex(out, data[i], 2);
    }
}

void AppendData(std::wstring& out, const RegValue& value) {
    if (value.type == REG_SZ) {
        if (auto text = AsPlainString(value.data)) {
            AppendQuoted(out, *text);
            return;
        }
    }
    if (value.type == REG_DWORD && value.data.size() == sizeof(DWORD)) {
        DWORD number;
        std::memcpy(&number, value.data.data(), sizeof number);
        out += L"dword:";
        AppendHex(out, number, 8);
        return;
    }
    if (value.type == REG_BINARY) {
        out += L"hex:";
    } else {
        int digits = 1;
        while (digits < 8 && value.type >> (4 * digits) != 0) ++digits;
        out += L"hex(";
        AppendHex(out, value.type, digits);
        out += L"):";
    }
    AppendBytes(out, value.data);
}

// ---- Reading -------------------------------------------------------------
// Numbers have the full width the Registry Editor writes (8 digits for a
// DWORD, 2 for a byte), so a line cut short is refused, not misread.

std::optional<uint32_t> HexDigit(wchar_t c) {
    if (c >= L'0' && c <= L'9') return c - L'0';
    if (c >= L'a' && c <= L'f') return c - L'a' + 10;
    if (c >= L'A' && c <= L'F') return c - L'A' + 10;
    return std::nullopt;
}

std::optional<uint32_t> ParseHexNumber(std::wstring_view text, std::size_t minDigits, std::size_t maxDigits) {
    if (text.size() < minDigits || text.size() > maxDigits) return std::nullopt;
    uint32_t number = 0;
    for (wchar_t c : text) {
        const auto digit = HexDigit(c);
        if (!digit) return std::nullopt;
        number = number << 4 | *digit;
    }
    return number;
}

std::optional<std::vector<BYTE>> ParseBytes(std::wstring_view text) {
    std::vector<BYTE> bytes;
    while (!text.empty()) {
        const std::size_t comma = text.find(L',');
        const auto byte = ParseHexNumber(text.substr(0, comma), 2, 2);
        if (!byte) return std::nullopt;
        bytes.push_back(static_cast<BYTE>(*byte));
        if (comma == std::wstring_view::npos) break;
        text.remove_prefix(comma + 1);
        if (text.empty()) return std::nullopt;  // a trailing comma
    }
    return bytes;
}

// Reads a quoted string at the start of text; on success text is left just
// after the closing quote.
std::optional<std::wstring> ParseQuoted(std::wstring_view& text) {
    if (text.empty() || text.front() != L'"') return std::nullopt;
    std::wstring out;
    for (std::size_t i = 1; i < text.size(); ++i) {
        wchar_t c = text[i];
        if (c == L'"') {
            text.remove_prefix(i + 1);
            return out;
        }
        if (c == L'\\') {
            if (++i == text.size()) return std::nullopt;
            c = text[i];
            if (c == L'n') c = L'\n';
            else if (c == L'r') c = L'\r';
        }
        out += c;
    }
    return std::nullopt;
}

std::optional<RegValue> ParseData(std::wstring_view text) {
    if (!text.empty() && text.front() == L'"') {
        auto string = ParseQuoted(text);
        if (!string || !text.empty()) return std::nullopt;
        return RegValue{REG_SZ, StringData(*string)};
    }
    if (text.starts_with(L"dword:")) {
        const auto number = ParseHexNumber(text.substr(6), 8, 8);
        if (!number) return std::nullopt;
        const DWORD dword = *number;
        std::vector<BYTE> data(sizeof dword);
        std::memcpy(data.data(), &dword, sizeof dword);
        return RegValue{REG_DWORD, std::move(data)};
    }
    DWORD type = REG_BINARY;
    if (text.starts_with(L"hex(")) {
        const std::size_t close = text.find(L"):");
        if (close == std::wstring_view::npos) return std::nullopt;
        const auto number = ParseHexNumber(text.substr(4, close - 4), 1, 8);
        if (!number) return std::nullopt;
        type = *number;
        text.remove_prefix(close + 2);
    } else if (text.starts_with(L"hex:")) {
        text.remove_prefix(4);
    } else {
        return std::nullopt;
    }
    auto bytes = ParseBytes(text);
    if (!bytes) return std::nullopt;
    return RegValue{type, std::move(*bytes)};
}

}  // namespace

std::optional<NamedValue> ParseValueLine(std::wstring_view line) {
    std::wstring name;
    if (line.starts_with(L'@')) {
        line.remove_prefix(1);
    } else {
        auto quoted = ParseQuoted(line);
        if (!quoted) return std::nullopt;
        name = std::move(*quoted);
    }
    if (!line.starts_with(L'=')) return std::nullopt;
    auto value = ParseData(line.substr(1));
    if (!value) return std::nullopt;
    return NamedValue{std::move(name), std::move(*value)};
}

// The names of the key a "[...]" line opens, or nothing when it names no
// key of ours.
std::vector<std::wstring> ParseSection(std::wstring_view line) {
    if (line.size() < 2 || line.back() != L']') return {};
    std::vector<std::wstring> names = SplitKeyPath(line.substr(1, line.size() - 2));
    if (!IsValidKeyPath(names)) return {};
    return names;
}

std::wstring_view TrimmedEnd(std::wstring_view line) {
    const std::size_t end = line.find_last_not_of(L" \t\r");
    return end == std::wstring_view::npos ? std::wstring_view{} : line.substr(0, end + 1);
}

std::wstring_view TrimmedStart(std::wstring_view line) {
    const std::size_t start = line.find_first_not_of(L" \t");
    return start == std::wstring_view::npos ? std::wstring_view{} : line.substr(start);
}

bool IsHeader(std::wstring_view line) {
    if (line.starts_with(L'\xFEFF')) line.remove_prefix(1);
    line = TrimmedEnd(line);
    return line == kHeader || line == L"REGEDIT4";
}

std::wstring FormatValueLine(std::wstring_view name, const RegValue& value) {
    std::wstring text;
    if (name.empty()) {
        text += L'@';
    } else {
        AppendQuoted(text, name);
    }
    text += L'=';
    AppendData(text, value);
    return text;
}

}  // namespace platform::registry
