// wsprintfW and wvsprintfW with the Windows meaning of every conversion:
// %s and %c are wide, %S and %C narrow (UTF-8 here), h and l force narrow
// and wide; l on integers is Windows' 32-bit long; I64 reads 64 bits.
// Flags '-', '0', '#', a width and a precision (the most characters of a
// string, the fewest digits of a number); no floating point. Output stops
// at 1024 characters including the terminator, as on Windows.
#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <string>

#include <platform/unicode.h>

namespace {

constexpr std::size_t kOutputLimit = 1024;  // characters, terminator included
constexpr std::size_t kMostCharacters = kOutputLimit - 1;

enum class Size { Default, Short, Long, Int64 };

struct Conversion {
    bool leftAlign = false;
    bool zeroPad = false;
    bool alternate = false;
    std::size_t width = 0;
    int precision = -1;
    Size size = Size::Default;
};

class Arguments {
public:
    explicit Arguments(va_list arguments) { va_copy(list_, arguments); }
    ~Arguments() { va_end(list_); }
    Arguments(const Arguments&) = delete;
    Arguments& operator=(const Arguments&) = delete;

    int32_t Int32() { return va_arg(list_, int32_t); }
    int64_t Int64() { return va_arg(list_, long long); }
    const void* Pointer() { return va_arg(list_, const void*); }

private:
    va_list list_;
};

std::wstring Digits(uint64_t value, unsigned base, bool upper) {
    const char* symbols = upper ? "0123456789ABCDEF" : "0123456789abcdef";
    std::wstring digits;
    do {
        digits.insert(digits.begin(), static_cast<wchar_t>(symbols[value % base]));
        value /= base;
    } while (value != 0);
    return digits;
}

void Pad(std::wstring& out, const Conversion& conversion, const std::wstring& text) {
    const std::size_t fill = conversion.width > text.size() ? conversion.width - text.size() : 0;
    if (conversion.leftAlign) {
        out += text;
        out.append(fill, L' ');
    } else {
        out.append(fill, L' ');
        out += text;
    }
}

void PutInteger(std::wstring& out, const Conversion& conversion, bool negative, uint64_t magnitude,
                unsigned base, bool upper) {
    std::wstring digits = Digits(magnitude, base, upper);  // at least one: precision 0 means 1
    if (conversion.precision > 0 && digits.size() < static_cast<std::size_t>(conversion.precision))
        digits.insert(0, conversion.precision - digits.size(), L'0');
    std::wstring lead = negative ? L"-" : L"";
    if (conversion.alternate && base == 16 && magnitude != 0) lead += upper ? L"0X" : L"0x";
    const std::size_t length = lead.size() + digits.size();
    if (conversion.zeroPad && !conversion.leftAlign && conversion.width > length)
        digits.insert(0, conversion.width - length, L'0');
    Pad(out, conversion, lead + digits);
}

void PutSigned(std::wstring& out, const Conversion& conversion, Arguments& arguments) {
    const int64_t value =
        conversion.size == Size::Int64 ? arguments.Int64() : arguments.Int32();
    const uint64_t magnitude = value < 0 ? 0 - static_cast<uint64_t>(value) : value;
    PutInteger(out, conversion, value < 0, magnitude, 10, false);
}

void PutUnsigned(std::wstring& out, const Conversion& conversion, Arguments& arguments,
                 unsigned base, bool upper) {
    const uint64_t value = conversion.size == Size::Int64
                               ? static_cast<uint64_t>(arguments.Int64())
                               : static_cast<uint32_t>(arguments.Int32());
    PutInteger(out, conversion, false, value, base, upper);
}

void PutPointer(std::wstring& out, Conversion conversion, Arguments& arguments) {
    conversion.precision = 2 * sizeof(void*);
    conversion.alternate = false;
    const auto value = reinterpret_cast<uintptr_t>(arguments.Pointer());
    PutInteger(out, conversion, false, value, 16, true);
}

void PutString(std::wstring& out, const Conversion& conversion, Arguments& arguments, bool wide) {
    const std::size_t most =
        conversion.precision < 0 ? SIZE_MAX : static_cast<std::size_t>(conversion.precision);
    const void* pointer = arguments.Pointer();
    std::wstring text;
    if (pointer == nullptr) {
        text = std::wstring(L"(null)").substr(0, most);
    } else if (wide) {
        const auto* string = static_cast<const wchar_t*>(pointer);
        std::size_t length = 0;
        while (length < most && string[length] != L'\0') ++length;
        text.assign(string, length);
    } else {
        // The precision counts bytes of a narrow string, as it counts
        // characters of a single-byte code page on Windows.
        const auto* string = static_cast<const char*>(pointer);
        text = platform::WideFromUtf8(std::string_view(string, strnlen(string, most)));
    }
    Pad(out, conversion, text);
}

void PutCharacter(std::wstring& out, const Conversion& conversion, Arguments& arguments,
                  bool wide) {
    const int32_t value = arguments.Int32();
    const std::wstring text =
        wide ? std::wstring(1, static_cast<wchar_t>(value))
             : platform::WideFromUtf8(std::string(1, static_cast<char>(value)));
    Pad(out, conversion, text);
}

// Reads flags, width, precision and size after '%'; returns the type letter.
wchar_t ParseConversion(LPCWSTR& cursor, Conversion& conversion) {
    for (;; ++cursor) {
        if (*cursor == L'-') {
            conversion.leftAlign = true;
        } else if (*cursor == L'0') {
            conversion.zeroPad = true;
        } else if (*cursor == L'#') {
            conversion.alternate = true;
        } else {
            break;
        }
    }
    for (; *cursor >= L'0' && *cursor <= L'9'; ++cursor)
        conversion.width = std::min(conversion.width * 10 + (*cursor - L'0'), kOutputLimit);
    if (*cursor == L'.') {
        conversion.precision = 0;
        for (++cursor; *cursor >= L'0' && *cursor <= L'9'; ++cursor)
            conversion.precision =
                std::min<int>(conversion.precision * 10 + (*cursor - L'0'), kOutputLimit);
    }
    if (*cursor == L'l') {
        conversion.size = Size::Long;
        ++cursor;
    } else if (*cursor == L'h') {
        conversion.size = Size::Short;
        ++cursor;
    } else if (cursor[0] == L'I' && cursor[1] == L'6' && cursor[2] == L'4') {
        conversion.size = Size::Int64;
        cursor += 3;
    }
    return *cursor;
}

std::wstring Format(LPCWSTR format, Arguments& arguments) {
    std::wstring out;
    for (LPCWSTR cursor = format; *cursor != L'\0' && out.size() < kMostCharacters; ++cursor) {
        if (*cursor != L'%') {
            out += *cursor;
            continue;
        }
        ++cursor;
        Conversion conversion;
        const wchar_t type = ParseConversion(cursor, conversion);
        const bool forcedNarrow = conversion.size == Size::Short;
        const bool forcedWide = conversion.size == Size::Long;
        switch (type) {
        case L'\0':
            return out;
        case L'd':
        case L'i':
            PutSigned(out, conversion, arguments);
            break;
        case L'u':
            PutUnsigned(out, conversion, arguments, 10, false);
            break;
        case L'x':
        case L'X':
            PutUnsigned(out, conversion, arguments, 16, type == L'X');
            break;
        case L'p':
            PutPointer(out, conversion, arguments);
            break;
        case L's':
        case L'S':
            PutString(out, conversion, arguments, forcedWide || (type == L's' && !forcedNarrow));
            break;
        case L'c':
        case L'C':
            PutCharacter(out, conversion, arguments,
                         forcedWide || (type == L'c' && !forcedNarrow));
            break;
        default:  // %% and unknown conversions stand for themselves
            out += type;
            break;
        }
    }
    return out;
}

}  // namespace

extern "C" {

int WINAPI wvsprintfW(LPWSTR buffer, LPCWSTR format, va_list arguments) {
    if (buffer == nullptr || format == nullptr) return 0;
    Arguments reader(arguments);
    const std::wstring text = Format(format, reader);
    const std::size_t count = std::min(text.size(), kMostCharacters);
    std::memcpy(buffer, text.data(), count * sizeof(wchar_t));
    buffer[count] = L'\0';
    return static_cast<int>(count);
}

int WINAPIV wsprintfW(LPWSTR buffer, LPCWSTR format, ...) {
    va_list arguments;
    va_start(arguments, format);
    const int count = wvsprintfW(buffer, format, arguments);
    va_end(arguments);
    return count;
}

}  // extern "C"
