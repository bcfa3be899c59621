// Placeholder until the music player exists: no graph is built, so there
// is never an event to take and nothing plays.
#include "sound/soundtrack.h"

#include "scene/slideshow/kv_audio_file.h"

int g_soundVolume = 100;
int g_muteSound = 0;

bool InitSoundtrackGraph(HWND) { return false; }

void PlaySoundtrackFile(const kv_string&) {}

void RewindSoundtrack() {}

void ApplySoundtrackVolume(int) {}

LONG PollSoundtrackEvent() { return -1; }

void ReleaseSoundtrackGraph() {}

// Items play from their stored path.
void KV_AudioFile::ExportToTempFolder() {}
