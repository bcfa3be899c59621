// The DirectSound device, shared by every monitor.
#pragma once

#include <windows.h>

#include <dsound.h>

#include "scene/model/com_holder.h"

extern ComHolder<IDirectSound8> g_directSound;
// Its volume is the master volume of every sound object.
extern ComHolder<IDirectSoundBuffer> g_primarySoundBuffer;
// DSBCAPS_STICKYFOCUS once DirectSound is started.
extern DWORD g_soundBufferFlags;

// Starts DirectSound and its looping primary buffer, once per process;
// true when the device exists.
bool InitDirectSound(HWND window);
