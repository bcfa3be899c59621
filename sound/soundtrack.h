// The background-music graph, shared by every monitor.
#pragma once

#include <windows.h>

// Builds the graph; its events are posted to window as message 0x8000.
bool InitSoundtrackGraph(HWND window);
// One pending event's code, or -1 when there is none.
LONG PollSoundtrackEvent();
