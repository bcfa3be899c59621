// BSTR: the string's length in bytes, as a DWORD, just before its first
// character; always terminated.
#include <oleauto.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <cwchar>

namespace {

constexpr std::size_t kPrefixSize = sizeof(DWORD);

unsigned char* BlockOf(BSTR text) { return reinterpret_cast<unsigned char*>(text) - kPrefixSize; }

}  // namespace

extern "C" {

BSTR WINAPI SysAllocStringLen(const OLECHAR* text, UINT length) {
    if (length >= UINT32_MAX / sizeof(OLECHAR)) return nullptr;  // the byte count must fit
    const DWORD byteLength = length * sizeof(OLECHAR);
    auto* block = static_cast<unsigned char*>(
        std::malloc(kPrefixSize + byteLength + sizeof(OLECHAR)));
    if (block == nullptr) return nullptr;
    std::memcpy(block, &byteLength, kPrefixSize);
    auto* string = reinterpret_cast<BSTR>(block + kPrefixSize);
    if (text != nullptr) {
        std::memcpy(string, text, byteLength);
    } else {
        std::memset(string, 0, byteLength);
    }
    string[length] = L'\0';
    return string;
}

BSTR WINAPI SysAllocString(const OLECHAR* text) {
    if (text == nullptr) return nullptr;
    return SysAllocStringLen(text, static_cast<UINT>(std::wcslen(text)));
}

void WINAPI SysFreeString(BSTR text) {
    if (text != nullptr) std::free(BlockOf(text));
}

UINT WINAPI SysStringLen(BSTR text) {
    if (text == nullptr) return 0;
    DWORD byteLength = 0;
    std::memcpy(&byteLength, BlockOf(text), kPrefixSize);
    return byteLength / sizeof(OLECHAR);
}

}  // extern "C"
