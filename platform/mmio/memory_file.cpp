// mmio over a caller's memory: RIFF chunks found and entered without ever
// reading outside the buffer, whatever sizes the chunks claim.
#include <windows.h>

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <cwctype>
#include <new>

namespace {

struct MemoryFile {
    const BYTE* data;
    int64_t size;
    int64_t position = 0;
};

MemoryFile* FileOf(HMMIO handle) { return reinterpret_cast<MemoryFile*>(handle); }

bool ReadDword(const MemoryFile& file, int64_t at, DWORD* value) {
    if (at < 0 || at + 4 > file.size) return false;
    const BYTE* p = file.data + at;
    *value = p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<DWORD>(p[3]) << 24);
    return true;
}

bool IsContainer(FOURCC id) { return id == FOURCC_RIFF || id == FOURCC_LIST; }

bool Matches(const MMCKINFO& found, const MMCKINFO& wanted, UINT flags) {
    if ((flags & MMIO_FINDRIFF) != 0) return found.ckid == FOURCC_RIFF && found.fccType == wanted.fccType;
    if ((flags & MMIO_FINDLIST) != 0) return found.ckid == FOURCC_LIST && found.fccType == wanted.fccType;
    if ((flags & MMIO_FINDCHUNK) != 0) return found.ckid == wanted.ckid;
    return true;
}

}  // namespace

extern "C" {

HMMIO WINAPI mmioOpenW(LPWSTR fileName, LPMMIOINFO info, DWORD flags) {
    if (info == nullptr) return nullptr;
    if (fileName != nullptr || info->fccIOProc != FOURCC_MEM || info->pchBuffer == nullptr ||
        info->cchBuffer <= 0 || (flags & (MMIO_WRITE | MMIO_READWRITE)) != 0) {
        info->wErrorRet = MMIOERR_CANNOTOPEN;
        return nullptr;
    }
    MemoryFile* file = new (std::nothrow)
        MemoryFile{reinterpret_cast<const BYTE*>(info->pchBuffer), info->cchBuffer};
    if (file == nullptr) {
        info->wErrorRet = MMIOERR_OUTOFMEMORY;
        return nullptr;
    }
    info->wErrorRet = MMSYSERR_NOERROR;
    info->hmmio = reinterpret_cast<HMMIO>(file);
    return info->hmmio;
}

MMRESULT WINAPI mmioClose(HMMIO handle, UINT) {
    if (handle == nullptr) return MMSYSERR_INVALHANDLE;
    delete FileOf(handle);
    return MMSYSERR_NOERROR;
}

LONG WINAPI mmioRead(HMMIO handle, HPSTR buffer, LONG count) {
    if (handle == nullptr || count < 0 || (buffer == nullptr && count > 0)) return -1;
    MemoryFile& file = *FileOf(handle);
    const int64_t available = file.size - file.position;
    const LONG read = static_cast<LONG>(count < available ? count : available);
    if (read > 0) std::memcpy(buffer, file.data + file.position, static_cast<size_t>(read));
    file.position += read;
    return read;
}

LONG WINAPI mmioSeek(HMMIO handle, LONG offset, int origin) {
    if (handle == nullptr) return -1;
    MemoryFile& file = *FileOf(handle);
    int64_t base = 0;
    if (origin == SEEK_CUR)
        base = file.position;
    else if (origin == SEEK_END)
        base = file.size;
    else if (origin != SEEK_SET)
        return -1;
    const int64_t target = base + offset;
    if (target < 0 || target > file.size) return -1;
    file.position = target;
    return static_cast<LONG>(target);
}

MMRESULT WINAPI mmioDescend(HMMIO handle, LPMMCKINFO chunk, const MMCKINFO* parent, UINT flags) {
    if (handle == nullptr || chunk == nullptr) return MMSYSERR_INVALPARAM;
    MemoryFile& file = *FileOf(handle);
    int64_t end = file.size;
    if (parent != nullptr) {
        const int64_t parentEnd = int64_t{parent->dwDataOffset} + parent->cksize;
        if (parentEnd < end) end = parentEnd;
    }
    const MMCKINFO wanted = *chunk;
    for (int64_t at = file.position; at + 8 <= end;) {
        MMCKINFO found{};
        ReadDword(file, at, &found.ckid);
        ReadDword(file, at + 4, &found.cksize);
        found.dwDataOffset = static_cast<DWORD>(at + 8);
        const bool container = IsContainer(found.ckid);
        if (container && !ReadDword(file, at + 8, &found.fccType)) break;
        if (Matches(found, wanted, flags)) {
            *chunk = found;
            file.position = at + 8 + (container ? 4 : 0);
            return MMSYSERR_NOERROR;
        }
        at += 8 + int64_t{found.cksize} + (found.cksize & 1);
    }
    return MMIOERR_CHUNKNOTFOUND;
}

MMRESULT WINAPI mmioAscend(HMMIO handle, LPMMCKINFO chunk, UINT) {
    if (handle == nullptr || chunk == nullptr) return MMSYSERR_INVALPARAM;
    MemoryFile& file = *FileOf(handle);
    const int64_t end = int64_t{chunk->dwDataOffset} + chunk->cksize + (chunk->cksize & 1);
    file.position = end < file.size ? end : file.size;
    return MMSYSERR_NOERROR;
}

FOURCC WINAPI mmioStringToFOURCCW(LPCWSTR text, UINT flags) {
    BYTE code[4] = {' ', ' ', ' ', ' '};
    for (int i = 0; i < 4 && text != nullptr && text[i] != L'\0'; ++i) {
        const wchar_t c = (flags & MMIO_TOUPPER) != 0 ? static_cast<wchar_t>(std::towupper(text[i])) : text[i];
        code[i] = static_cast<BYTE>(c);
    }
    return mmioFOURCC(code[0], code[1], code[2], code[3]);
}

}  // extern "C"
