// The background-music graph, shared by every monitor.
#pragma once

#include <windows.h>

#include "scene/document/kv_string.h"

// The music volume (0 to 100) and mute, read again before every track.
extern int g_soundVolume;
extern int g_muteSound;

// Builds the graph; its events are posted to window as message 0x8000.
bool InitSoundtrackGraph(HWND window);
// Plays one file from its start.
void PlaySoundtrackFile(const kv_string& path);
// Back to the start of the track, and on.
void RewindSoundtrack();
void ApplySoundtrackVolume(int muted);
// One pending event's code, or -1 when there is none.
LONG PollSoundtrackEvent();
void ReleaseSoundtrackGraph();
