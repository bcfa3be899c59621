// The screensaver module's entry.
#include <windows.h>

#include "host/moire_screensaver.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    CMoireScreensaver saver;
    const HRESULT result = saver.Startup(instance);
    if (FAILED(result)) {
        saver.ShowErrorMessage(result);
        return 0;
    }
    return saver.RunMode();
}
