#include "sound/direct_sound.h"

ComHolder<IDirectSound8> g_directSound;
ComHolder<IDirectSoundBuffer> g_primarySoundBuffer;
DWORD g_soundBufferFlags = 0;

bool InitDirectSound(HWND window)
{
    if (g_directSound)
        return true;
    g_soundBufferFlags = DSBCAPS_STICKYFOCUS;
    if (FAILED(DirectSoundCreate8(nullptr, g_directSound.Receive(), nullptr)))
        return false;
    if (FAILED(g_directSound->SetCooperativeLevel(window, DSSCL_NORMAL)))
        return false;
    DSBUFFERDESC description{};
    description.dwSize = sizeof description;
    description.dwFlags = g_soundBufferFlags | DSBCAPS_PRIMARYBUFFER | DSBCAPS_CTRLVOLUME;
    if (FAILED(g_directSound->CreateSoundBuffer(&description, g_primarySoundBuffer.Receive(), nullptr)))
        return false;
    return SUCCEEDED(g_primarySoundBuffer->Play(0, 0, DSBPLAY_LOOPING));
}
