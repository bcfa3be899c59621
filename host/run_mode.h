// The run mode that Windows asks for on the command line.
#pragma once

#include <windef.h>

enum SaverMode : int {
    kModeSettings = 0,
    kModePreview = 1,
    kModeFullScreen = 2,
    kModeTest = 3,
    kModePassword = 4,
    kModeEndAtOnce = 5,
    kModeShowNothing = 6,
};

struct RunModeRequest {
    SaverMode mode = kModeSettings;
    HWND parent = nullptr;
};

// The whole command line, program name first.
RunModeRequest ReadRunMode(const WCHAR* commandLine);
