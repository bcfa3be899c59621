// Placeholder until the music player exists: no graph is built, so there
// is never an event to take.
#include "sound/soundtrack.h"

bool InitSoundtrackGraph(HWND) { return false; }

LONG PollSoundtrackEvent() { return -1; }
