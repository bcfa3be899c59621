// DirectSound: the device, its primary buffer and PCM sound buffers.
#pragma once

#include <mmsystem.h>
#include <objbase.h>
#include <windef.h>

#define _FACDS 0x878
#define MAKE_DSHRESULT(code) ((HRESULT)(0x80000000u | (_FACDS << 16) | (code)))

#define DS_OK S_OK
#define DSERR_INVALIDPARAM E_INVALIDARG
#define DSERR_OUTOFMEMORY E_OUTOFMEMORY
#define DSERR_NOAGGREGATION CLASS_E_NOAGGREGATION
#define DSERR_NOINTERFACE E_NOINTERFACE
#define DSERR_CONTROLUNAVAIL MAKE_DSHRESULT(30)
#define DSERR_INVALIDCALL MAKE_DSHRESULT(50)
#define DSERR_PRIOLEVELNEEDED MAKE_DSHRESULT(70)
#define DSERR_BADFORMAT MAKE_DSHRESULT(100)
#define DSERR_NODRIVER MAKE_DSHRESULT(120)
#define DSERR_UNINITIALIZED MAKE_DSHRESULT(170)

#define DSSCL_NORMAL 0x00000001
#define DSSCL_PRIORITY 0x00000002
#define DSSCL_EXCLUSIVE 0x00000003
#define DSSCL_WRITEPRIMARY 0x00000004

#define DSBCAPS_PRIMARYBUFFER 0x00000001
#define DSBCAPS_STATIC 0x00000002
#define DSBCAPS_LOCHARDWARE 0x00000004
#define DSBCAPS_LOCSOFTWARE 0x00000008
#define DSBCAPS_CTRLFREQUENCY 0x00000020
#define DSBCAPS_CTRLPAN 0x00000040
#define DSBCAPS_CTRLVOLUME 0x00000080
#define DSBCAPS_STICKYFOCUS 0x00004000
#define DSBCAPS_GLOBALFOCUS 0x00008000
#define DSBCAPS_GETCURRENTPOSITION2 0x00010000

#define DSBPLAY_LOOPING 0x00000001

#define DSBSTATUS_PLAYING 0x00000001
#define DSBSTATUS_BUFFERLOST 0x00000002
#define DSBSTATUS_LOOPING 0x00000004

#define DSBLOCK_FROMWRITECURSOR 0x00000001
#define DSBLOCK_ENTIREBUFFER 0x00000002

#define DSBVOLUME_MIN (-10000)
#define DSBVOLUME_MAX 0
#define DSBPAN_LEFT (-10000)
#define DSBPAN_CENTER 0
#define DSBPAN_RIGHT 10000

#define DSBSIZE_MIN 4
#define DSBSIZE_MAX 0x0FFFFFFF

typedef struct _DSBUFFERDESC {
    DWORD dwSize;
    DWORD dwFlags;
    DWORD dwBufferBytes;
    DWORD dwReserved;
    LPWAVEFORMATEX lpwfxFormat;
    GUID guid3DAlgorithm;
} DSBUFFERDESC, *LPDSBUFFERDESC;
typedef const DSBUFFERDESC* LPCDSBUFFERDESC;

DEFINE_GUID(IID_IDirectSound8, 0xC50A7E93, 0xF395, 0x4834, 0x9E, 0xF6, 0x7F, 0xA9, 0x9D, 0xE5,
            0x09, 0x66);
DEFINE_GUID(IID_IDirectSoundBuffer, 0x279AFA85, 0x4981, 0x11CE, 0xA5, 0x21, 0x00, 0x20, 0xAF,
            0x0B, 0xE5, 0x60);
DEFINE_GUID(IID_IDirectSoundBuffer8, 0x6825A449, 0x7524, 0x4D82, 0x92, 0x0F, 0x50, 0xE3, 0x6A,
            0xB3, 0xAB, 0x1E);

struct IDirectSoundBuffer : IUnknown {
    STDMETHOD(GetCurrentPosition)(LPDWORD playCursor, LPDWORD writeCursor) PURE;
    STDMETHOD(GetVolume)(LPLONG volume) PURE;
    STDMETHOD(GetPan)(LPLONG pan) PURE;
    STDMETHOD(GetStatus)(LPDWORD status) PURE;
    STDMETHOD(Lock)(DWORD offset, DWORD bytes, LPVOID* audio1, LPDWORD audioBytes1, LPVOID* audio2,
                    LPDWORD audioBytes2, DWORD flags) PURE;
    STDMETHOD(Play)(DWORD reserved1, DWORD priority, DWORD flags) PURE;
    STDMETHOD(SetCurrentPosition)(DWORD newPosition) PURE;
    STDMETHOD(SetVolume)(LONG volume) PURE;
    STDMETHOD(SetPan)(LONG pan) PURE;
    STDMETHOD(Stop)() PURE;
    STDMETHOD(Unlock)(LPVOID audio1, DWORD audioBytes1, LPVOID audio2, DWORD audioBytes2) PURE;
};
typedef IDirectSoundBuffer* LPDIRECTSOUNDBUFFER;

struct IDirectSoundBuffer8 : IDirectSoundBuffer {};
typedef IDirectSoundBuffer8* LPDIRECTSOUNDBUFFER8;

struct IDirectSound8 : IUnknown {
    STDMETHOD(CreateSoundBuffer)(LPCDSBUFFERDESC description, LPDIRECTSOUNDBUFFER* buffer,
                                 LPUNKNOWN outer) PURE;
    STDMETHOD(SetCooperativeLevel)(HWND window, DWORD level) PURE;
};
typedef IDirectSound8* LPDIRECTSOUND8;

extern "C" {

// Only the default device (null GUID) exists.
HRESULT WINAPI DirectSoundCreate8(LPCGUID device, LPDIRECTSOUND8* directSound, LPUNKNOWN outer);

}  // extern "C"
