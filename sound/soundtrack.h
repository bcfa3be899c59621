// The background-music graph, shared by every monitor.
#pragma once

#include <windows.h>

#include <dshow.h>

#include "scene/document/kv_string.h"
#include "scene/model/com_holder.h"

// The graph's interfaces; all empty until it is built.
extern ComHolder<IGraphBuilder> g_soundtrackBuilder;
extern ComHolder<IMediaControl> g_soundtrackControl;
extern ComHolder<IMediaSeeking> g_soundtrackSeeking;
extern ComHolder<IMediaEventEx> g_soundtrackEvents;
extern ComHolder<IBasicAudio> g_soundtrackAudio;

// The music volume (0 to 100) and mute, read again before every track.
extern int g_soundVolume;
extern int g_muteSound;

// Builds the graph; its events are posted to window as message 0x8000.
bool InitSoundtrackGraph(HWND window);
// Plays one file from its start.
void PlaySoundtrackFile(const kv_string& path);
// The two ways of starting a file.
bool PlaySoundtrackSource(IBaseFilter* source);
bool RenderSoundtrackFile(const kv_string& path);
// Back to the start of the track, and on.
void RewindSoundtrack();
void ApplySoundtrackVolume(int muted);
// One pending event's code, or -1 when there is none.
LONG PollSoundtrackEvent();
void ReleaseSoundtrackGraph();
