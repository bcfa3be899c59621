#include "scene/document/kv_iof_r.h"

#include <bit>
#include <cstring>
#include <utility>

#include "scene/document/embedded_file.h"
#include "scene/document/utf16_text.h"

static_assert(std::endian::native == std::endian::little,
              "documents are little-endian and decoded by copying");

bool KV_IOF_R<ResourceBuffer>::ReadBytes(void* value, std::size_t size) {
    const BYTE* bytes = buffer_.Take(size);
    if (bytes == nullptr) {
        return false;
    }
    std::memcpy(value, bytes, size);
    return true;
}

// A length byte; 0xFF escapes to a 16-bit length, 0xFFFF to a 32-bit one.
bool KV_IOF_R<ResourceBuffer>::ReadStringLength(DWORD* length) {
    BYTE length8 = 0;
    if (!ReadBytes(&length8, 1)) {
        return false;
    }
    if (length8 != 0xFF) {
        *length = length8;
        return true;
    }
    WORD length16 = 0;
    if (!ReadBytes(&length16, 2)) {
        return false;
    }
    if (length16 != 0xFFFF) {
        *length = length16;
        return true;
    }
    return ReadBytes(length, 4);
}

void KV_IOF_R<ResourceBuffer>::ReadString(kv_string* value) {
    // Three marker bytes, accepted whatever they hold.
    DWORD length = 0;
    if (buffer_.Take(3) == nullptr || !ReadStringLength(&length) || length == 0) {
        return;
    }
    const BYTE* units = buffer_.Take(std::size_t{length} * 2);
    if (units == nullptr) {
        return;
    }
    // The value ends at the first code unit 0; the whole length is consumed.
    std::size_t used = 0;
    while (used < length && (units[2 * used] | units[2 * used + 1]) != 0) {
        ++used;
    }
    *value = TextFromUtf16Le<WCHAR>(units, used);
}

void KV_IOF_R<ResourceBuffer>::ReadEmbeddedFile(EmbeddedFile* value) {
    DWORD size = 0;
    if (!ReadBytes(&size, 4)) {
        return;
    }
    const BYTE* bytes = buffer_.Take(size);
    kv_string fileName;
    ReadString(&fileName);
    if (buffer_.Failed()) {
        return;
    }
    // The record replaces the whole file: no bytes or name of an earlier
    // value survive it.
    value->Assign(std::move(fileName), size, bytes);
}

void KV_IOF_R<ResourceBuffer>::ReadResourceEntry(ResourceEntry* value) {
    INT id = 0;
    kv_string moduleName;
    if (!ReadBytes(&id, 4)) {
        return;
    }
    ReadString(&moduleName);
    ResourceEntry entry(id, std::move(moduleName));
    ReadEmbeddedFile(&entry);
    if (buffer_.Failed()) {
        return;
    }
    *value = std::move(entry);
}

void KV_IOF_R<ResourceBuffer>::ReadInt64(LONGLONG* value) { ReadBytes(value, 8); }
void KV_IOF_R<ResourceBuffer>::ReadFloat(float* value) { ReadBytes(value, 4); }

void KV_IOF_R<ResourceBuffer>::ReadPoint(POINT* value) {
    INT xy[2];
    if (ReadBytes(xy, sizeof xy)) {
        value->x = xy[0];
        value->y = xy[1];
    }
}

void KV_IOF_R<ResourceBuffer>::ReadDword(DWORD* value) { ReadBytes(value, 4); }
void KV_IOF_R<ResourceBuffer>::ReadUInt(UINT* value) { ReadBytes(value, 4); }
void KV_IOF_R<ResourceBuffer>::ReadInt(INT* value) { ReadBytes(value, 4); }
void KV_IOF_R<ResourceBuffer>::ReadChar(CHAR* value) { ReadBytes(value, 1); }

void KV_IOF_R<ResourceBuffer>::ReadBool(bool* value) {
    // Any byte but 0 is true; storing the raw byte into a bool is undefined.
    BYTE byte = 0;
    if (ReadBytes(&byte, 1)) {
        *value = byte != 0;
    }
}
