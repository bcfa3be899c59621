// lstr* functions. Comparisons are ordinal (by code point), after folding
// for lstrcmpiW; a null string sorts before every other string.
#include <windows.h>

#include "text/case_fold.h"

namespace {

template <typename Fold>
int Compare(LPCWSTR a, LPCWSTR b, Fold fold) {
    if (a == nullptr || b == nullptr) return (a != nullptr) - (b != nullptr);
    for (;; ++a, ++b) {
        const wchar_t x = fold(*a);
        const wchar_t y = fold(*b);
        if (x != y) return x < y ? -1 : 1;
        if (x == L'\0') return 0;
    }
}

}  // namespace

extern "C" {

int WINAPI lstrlenW(LPCWSTR string) {
    if (string == nullptr) return 0;
    int length = 0;
    while (string[length] != L'\0') ++length;
    return length;
}

LPWSTR WINAPI lstrcpyW(LPWSTR destination, LPCWSTR source) {
    if (destination == nullptr || source == nullptr) return nullptr;
    LPWSTR out = destination;
    while ((*out++ = *source++) != L'\0') {
    }
    return destination;
}

LPWSTR WINAPI lstrcpynW(LPWSTR destination, LPCWSTR source, int maxLength) {
    if (destination == nullptr || source == nullptr) return nullptr;
    if (maxLength <= 0) return destination;
    int i = 0;
    for (; i < maxLength - 1 && source[i] != L'\0'; ++i) destination[i] = source[i];
    destination[i] = L'\0';
    return destination;
}

LPWSTR WINAPI lstrcatW(LPWSTR destination, LPCWSTR source) {
    if (destination == nullptr || source == nullptr) return nullptr;
    lstrcpyW(destination + lstrlenW(destination), source);
    return destination;
}

int WINAPI lstrcmpW(LPCWSTR a, LPCWSTR b) {
    return Compare(a, b, [](wchar_t c) { return c; });
}

int WINAPI lstrcmpiW(LPCWSTR a, LPCWSTR b) { return Compare(a, b, platform::UpperCaseChar); }

}  // extern "C"
