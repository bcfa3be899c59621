#include "host/run_mode.h"

#include <cstdint>

namespace {

bool IsDigit(WCHAR c) { return c >= L'0' && c <= L'9'; }

WCHAR ToLower(WCHAR c) { return (c >= L'A' && c <= L'Z') ? static_cast<WCHAR>(c - L'A' + L'a') : c; }

const WCHAR* SkipProgramName(const WCHAR* cursor) {
    if (*cursor == L'"') {
        ++cursor;
        while (*cursor != L'\0' && *cursor != L'"') ++cursor;
    } else {
        while (*cursor != L'\0' && *cursor != L' ') ++cursor;
    }
    // The closing quote or the blank; a line that ends here has nothing more.
    if (*cursor != L'\0') ++cursor;
    return cursor;
}

// The first run of decimal digits after the cursor, as a window handle.
HWND ReadWindowHandle(const WCHAR* cursor) {
    while (*cursor != L'\0' && !IsDigit(*cursor)) ++cursor;
    if (!IsDigit(*cursor)) return nullptr;
    uintptr_t value = 0;
    for (; IsDigit(*cursor); ++cursor) value = value * 10 + static_cast<uintptr_t>(*cursor - L'0');
    return reinterpret_cast<HWND>(value);
}

}  // namespace

RunModeRequest ReadRunMode(const WCHAR* commandLine) {
    RunModeRequest request;
    const WCHAR* cursor = SkipProgramName(commandLine);
    while (*cursor != L'\0' && *cursor != L'/' && *cursor != L'-') ++cursor;
    if (*cursor == L'\0') return request;

    ++cursor;
    switch (ToLower(*cursor)) {
        case L'c': request.mode = kModeSettings; break;
        case L'p': request.mode = kModePreview; break;
        case L't': request.mode = kModeTest; return request;
        case L'a': request.mode = kModePassword; break;
        case L'r': request.mode = kModeEndAtOnce; return request;
        case L'n': request.mode = kModeShowNothing; return request;
        default: request.mode = kModeFullScreen; return request;
    }
    request.parent = ReadWindowHandle(cursor + 1);
    return request;
}
