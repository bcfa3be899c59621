// Placeholder until the sound objects exist: no device is started.
#include "sound/direct_sound.h"

bool InitDirectSound(HWND) { return false; }
