// Placeholder until the music player exists: no graph is built, so there
// is never an event to take.
#include "sound/soundtrack.h"

#include "scene/slideshow/kv_audio_file.h"

bool InitSoundtrackGraph(HWND) { return false; }

LONG PollSoundtrackEvent() { return -1; }

// Items play from their stored path.
void KV_AudioFile::ExportToTempFolder() {}
