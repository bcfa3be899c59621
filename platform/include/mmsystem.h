// Windows multimedia: the clock, wave formats and RIFF file I/O.
#pragma once

#include <windef.h>

typedef UINT MMRESULT;
#define TIMERR_NOERROR 0
#define MMSYSERR_NOERROR 0
#define MMSYSERR_INVALHANDLE 5
#define MMSYSERR_INVALPARAM 11

typedef DWORD FOURCC;
#define mmioFOURCC(ch0, ch1, ch2, ch3)                                      \
    ((DWORD)(BYTE)(ch0) | ((DWORD)(BYTE)(ch1) << 8) | ((DWORD)(BYTE)(ch2) << 16) | \
     ((DWORD)(BYTE)(ch3) << 24))
#define FOURCC_RIFF mmioFOURCC('R', 'I', 'F', 'F')
#define FOURCC_LIST mmioFOURCC('L', 'I', 'S', 'T')
#define FOURCC_MEM mmioFOURCC('M', 'E', 'M', ' ')

#define WAVE_FORMAT_PCM 1

#pragma pack(push, 1)
typedef struct tWAVEFORMATEX {
    WORD wFormatTag;
    WORD nChannels;
    DWORD nSamplesPerSec;
    DWORD nAvgBytesPerSec;
    WORD nBlockAlign;
    WORD wBitsPerSample;
    WORD cbSize;
} WAVEFORMATEX, *PWAVEFORMATEX, *LPWAVEFORMATEX;
#pragma pack(pop)
typedef const WAVEFORMATEX* LPCWAVEFORMATEX;

DECLARE_HANDLE(HMMIO);
typedef char* HPSTR;
typedef LRESULT(CALLBACK* LPMMIOPROC)(LPSTR info, UINT message, LPARAM param1, LPARAM param2);

typedef struct _MMIOINFO {
    DWORD dwFlags;
    FOURCC fccIOProc;
    LPMMIOPROC pIOProc;
    UINT wErrorRet;
    HANDLE htask;
    LONG cchBuffer;
    HPSTR pchBuffer;
    HPSTR pchNext;
    HPSTR pchEndRead;
    HPSTR pchEndWrite;
    LONG lBufOffset;
    LONG lDiskOffset;
    DWORD adwInfo[3];
    DWORD dwReserved1;
    DWORD dwReserved2;
    HMMIO hmmio;
} MMIOINFO, *LPMMIOINFO;
typedef const MMIOINFO* LPCMMIOINFO;

typedef struct _MMCKINFO {
    FOURCC ckid;
    DWORD cksize;
    FOURCC fccType;
    DWORD dwDataOffset;
    DWORD dwFlags;
} MMCKINFO, *LPMMCKINFO;
typedef const MMCKINFO* LPCMMCKINFO;

#define MMIO_READ 0x00000000
#define MMIO_WRITE 0x00000001
#define MMIO_READWRITE 0x00000002
#define MMIO_ALLOCBUF 0x00010000
#define MMIO_FINDCHUNK 0x0010
#define MMIO_FINDRIFF 0x0020
#define MMIO_FINDLIST 0x0040
#define MMIO_TOUPPER 0x0010

#define MMIOERR_BASE 256
#define MMIOERR_FILENOTFOUND (MMIOERR_BASE + 1)
#define MMIOERR_OUTOFMEMORY (MMIOERR_BASE + 2)
#define MMIOERR_CANNOTOPEN (MMIOERR_BASE + 3)
#define MMIOERR_CANNOTREAD (MMIOERR_BASE + 5)
#define MMIOERR_CANNOTSEEK (MMIOERR_BASE + 7)
#define MMIOERR_CHUNKNOTFOUND (MMIOERR_BASE + 9)

extern "C" {

// Milliseconds since the system started, wrapping at 2^32.
DWORD WINAPI timeGetTime();
MMRESULT WINAPI timeBeginPeriod(UINT period);
MMRESULT WINAPI timeEndPeriod(UINT period);

// Only memory files are supported: no name, fccIOProc FOURCC_MEM and the
// caller's buffer, read-only. Every read and seek stays inside the buffer.
HMMIO WINAPI mmioOpenW(LPWSTR fileName, LPMMIOINFO info, DWORD flags);
MMRESULT WINAPI mmioClose(HMMIO file, UINT flags);
LONG WINAPI mmioRead(HMMIO file, HPSTR buffer, LONG count);
LONG WINAPI mmioSeek(HMMIO file, LONG offset, int origin);
MMRESULT WINAPI mmioDescend(HMMIO file, LPMMCKINFO chunk, const MMCKINFO* parent, UINT flags);
MMRESULT WINAPI mmioAscend(HMMIO file, LPMMCKINFO chunk, UINT flags);
FOURCC WINAPI mmioStringToFOURCCW(LPCWSTR text, UINT flags);

}  // extern "C"

#define mmioOpen mmioOpenW
#define mmioStringToFOURCC mmioStringToFOURCCW
