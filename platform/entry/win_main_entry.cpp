// The program entry as Windows provides it: WinMain with the module
// instance and the arguments after the program name.
#include <string>

#include <windows.h>

#include <platform/unicode.h>

#include "audio/audio_output.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE previous, LPSTR arguments, int show);

namespace {

// The command line after the program name, as Windows passes it to WinMain.
std::string ArgumentsAfterProgramName(const wchar_t* line) {
    const wchar_t* cursor = line;
    if (*cursor == L'"') {
        ++cursor;
        while (*cursor != L'\0' && *cursor != L'"') ++cursor;
        if (*cursor == L'"') ++cursor;
    } else {
        while (*cursor != L'\0' && *cursor != L' ' && *cursor != L'\t') ++cursor;
    }
    while (*cursor == L' ' || *cursor == L'\t') ++cursor;
    return platform::Utf8FromWide(cursor);
}

}  // namespace

int main() {
    std::string arguments = ArgumentsAfterProgramName(GetCommandLineW());
    const int result = WinMain(GetModuleHandleW(nullptr), nullptr, arguments.data(), SW_SHOWDEFAULT);
    // Before static destruction: nothing may still be mixing then.
    platform::audio::EndAudioOutput();
    return result;
}
