#include "scene/document/writer/kv_iof_w.h"

#include <bit>
#include <vector>

#include "scene/document/embedded_file.h"
#include "scene/document/utf16_text.h"

static_assert(std::endian::native == std::endian::little,
              "documents are little-endian and encoded by copying");

void KV_IOF_W::Append(const void* value, std::size_t size) {
    if (size == 0) {
        return;
    }
    const auto* bytes = static_cast<const BYTE*>(value);
    bytes_.insert(bytes_.end(), bytes, bytes + size);
}

void KV_IOF_W::WriteString(const kv_string* value) {
    const std::vector<BYTE> units = Utf16LeFromText<WCHAR>(*value);
    const auto length = static_cast<DWORD>(units.size() / 2);
    const BYTE marker[] = {0xFF, 0xFE, 0xFF};
    Append(marker, sizeof marker);
    const BYTE escape8 = 0xFF;
    const WORD escape16 = 0xFFFF;
    if (length < 0xFF) {
        const auto length8 = static_cast<BYTE>(length);
        Append(&length8, 1);
    } else if (length < 0xFFFF) {
        const auto length16 = static_cast<WORD>(length);
        Append(&escape8, 1);
        Append(&length16, 2);
    } else {
        Append(&escape8, 1);
        Append(&escape16, 2);
        Append(&length, 4);
    }
    Append(units.data(), units.size());
}

void KV_IOF_W::WriteEmbeddedFile(const EmbeddedFile* value) {
    const DWORD size = value->Size();
    Append(&size, 4);
    Append(value->Data(), size);
    WriteString(&value->FileName());
}

void KV_IOF_W::WriteResourceEntry(const ResourceEntry* value) {
    const INT id = value->Id();
    Append(&id, 4);
    WriteString(&value->ModuleName());
    WriteEmbeddedFile(value);
}

void KV_IOF_W::WriteInt64(const LONGLONG* value) { Append(value, 8); }
void KV_IOF_W::WriteFloat(const float* value) { Append(value, 4); }

void KV_IOF_W::WritePoint(const POINT* value) {
    Append(&value->x, 4);
    Append(&value->y, 4);
}

void KV_IOF_W::WriteDword(const DWORD* value) { Append(value, 4); }
void KV_IOF_W::WriteUInt(const UINT* value) { Append(value, 4); }
void KV_IOF_W::WriteChar(const CHAR* value) { Append(value, 1); }

void KV_IOF_W::WriteBool(const bool* value) {
    const BYTE byte = *value ? 1 : 0;
    Append(&byte, 1);
}

void KV_IOF_W::WriteInt(const INT* value) { Append(value, 4); }
