// New GUIDs and their registry text form.
#include <objbase.h>

#include <cerrno>
#include <cstddef>

#include <sys/random.h>

namespace {

constexpr int kGuidTextLength = 38;  // "{XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}"
constexpr int kDashPositions[] = {9, 14, 19, 24};

bool FillRandom(void* bytes, std::size_t count) {
    auto* cursor = static_cast<unsigned char*>(bytes);
    while (count > 0) {
        const ssize_t got = getrandom(cursor, count, 0);
        if (got < 0 && errno == EINTR) continue;
        if (got <= 0) return false;
        cursor += got;
        count -= static_cast<std::size_t>(got);
    }
    return true;
}

// Writes the value as that many upper-case hex digits.
LPWSTR PutHex(LPWSTR out, uint32_t value, int digits) {
    for (int i = digits - 1; i >= 0; --i, value >>= 4) out[i] = L"0123456789ABCDEF"[value & 0xF];
    return out + digits;
}

int HexValue(wchar_t c) {
    if (c >= L'0' && c <= L'9') return c - L'0';
    if (c >= L'A' && c <= L'F') return c - L'A' + 10;
    if (c >= L'a' && c <= L'f') return c - L'a' + 10;
    return -1;
}

// The character the braced form has at a position, or 0 for a hex digit.
wchar_t Delimiter(int position) {
    if (position == 0) return L'{';
    if (position == kGuidTextLength - 1) return L'}';
    for (int dash : kDashPositions)
        if (position == dash) return L'-';
    return L'\0';
}

// The braced form exactly: braces, dashes in place, hex digits elsewhere,
// nothing after the closing brace.
bool ParseGuid(LPCWSTR text, GUID& guid) {
    for (int i = 0; i < kGuidTextLength; ++i) {
        const wchar_t delimiter = Delimiter(i);
        if (delimiter != L'\0' ? text[i] != delimiter : HexValue(text[i]) < 0) return false;
    }
    if (text[kGuidTextLength] != L'\0') return false;
    auto hex = [&](int first, int digits) {
        uint32_t value = 0;
        for (int i = first; i < first + digits; ++i) value = (value << 4) | HexValue(text[i]);
        return value;
    };
    guid.Data1 = hex(1, 8);
    guid.Data2 = static_cast<WORD>(hex(10, 4));
    guid.Data3 = static_cast<WORD>(hex(15, 4));
    guid.Data4[0] = static_cast<BYTE>(hex(20, 2));
    guid.Data4[1] = static_cast<BYTE>(hex(22, 2));
    for (int i = 0; i < 6; ++i) guid.Data4[2 + i] = static_cast<BYTE>(hex(25 + 2 * i, 2));
    return true;
}

}  // namespace

extern "C" {

// A random (version 4) GUID from the kernel's random source.
HRESULT WINAPI CoCreateGuid(GUID* guid) {
    if (guid == nullptr) return E_INVALIDARG;
    GUID fresh{};
    if (!FillRandom(&fresh, sizeof fresh)) return E_FAIL;
    fresh.Data3 = static_cast<WORD>((fresh.Data3 & 0x0FFF) | 0x4000);
    fresh.Data4[0] = static_cast<BYTE>((fresh.Data4[0] & 0x3F) | 0x80);
    *guid = fresh;
    return S_OK;
}

int WINAPI StringFromGUID2(REFGUID guid, LPWSTR buffer, int bufferMax) {
    if (buffer == nullptr || bufferMax < kGuidTextLength + 1) return 0;
    LPWSTR out = buffer;
    *out++ = L'{';
    out = PutHex(out, guid.Data1, 8);
    *out++ = L'-';
    out = PutHex(out, guid.Data2, 4);
    *out++ = L'-';
    out = PutHex(out, guid.Data3, 4);
    *out++ = L'-';
    out = PutHex(out, guid.Data4[0], 2);
    out = PutHex(out, guid.Data4[1], 2);
    *out++ = L'-';
    for (int i = 2; i < 8; ++i) out = PutHex(out, guid.Data4[i], 2);
    *out++ = L'}';
    *out = L'\0';
    return kGuidTextLength + 1;
}

// A null text is CLSID_NULL. Malformed text zeroes the result, so that a
// caller that does not check the status reads CLSID_NULL, never garbage.
HRESULT WINAPI CLSIDFromString(LPCWSTR text, LPCLSID clsid) {
    if (clsid == nullptr) return E_INVALIDARG;
    if (text == nullptr) {
        *clsid = GUID_NULL;
        return S_OK;
    }
    GUID parsed{};
    if (!ParseGuid(text, parsed)) {
        *clsid = GUID_NULL;
        return CO_E_CLASSSTRING;
    }
    *clsid = parsed;
    return S_OK;
}

}  // extern "C"
