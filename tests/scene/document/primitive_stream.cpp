#include "primitive_stream.h"

#include "scene/document/embedded_file.h"
#include "scene/document/writer/kv_iof_w.h"

namespace {

struct Item {
    kv_string name;
    DWORD value = 0;
};

// Lengths on both sides of the first escape.
const kv_string kShortText = L"QVT v 4.0.0";
const kv_string kLongText(300, L'x');

}  // namespace

std::vector<BYTE> SamplePrimitiveStream() {
    KV_IOF_W w;
    const LONGLONG stamp = -1234567890123;
    const float f = 0.25f;
    const POINT p{-3, 4};
    const DWORD d = 0x00FF8040;
    const UINT u = 50;
    const CHAR c = 'c';
    const bool b = true;
    const INT i = -7;
    w.WriteString(&kShortText);
    w.WriteString(&kLongText);
    w.WriteInt64(&stamp);
    w.WriteFloat(&f);
    w.WritePoint(&p);
    w.WriteDword(&d);
    w.WriteUInt(&u);
    w.WriteChar(&c);
    w.WriteBool(&b);
    w.WriteInt(&i);

    EmbeddedFile file;
    const BYTE bytes[] = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
    file.Assign(L"C:\\pictures\\one.png", sizeof bytes, bytes);
    w.WriteEmbeddedFile(&file);
    ResourceEntry entry(62, L"common_res.dll");
    entry.Assign(L"two.png", sizeof bytes, bytes);
    w.WriteResourceEntry(&entry);

    const DWORD count = 3;
    w.WriteDword(&count);
    for (DWORD n = 0; n < count; ++n) {
        const Item item{L"item", n};
        w.WriteString(&item.name);
        w.WriteDword(&item.value);
    }
    return w.TakeBytes();
}

bool ReadPrimitiveStream(KV_IOF_Virtual& archive) {
    kv_string shortText, longText;
    LONGLONG stamp = 0;
    float f = 0;
    POINT p{};
    DWORD d = 0;
    UINT u = 0;
    CHAR c = 0;
    bool b = false;
    INT i = 0;
    archive.ReadString(&shortText);
    archive.ReadString(&longText);
    archive.ReadInt64(&stamp);
    archive.ReadFloat(&f);
    archive.ReadPoint(&p);
    archive.ReadDword(&d);
    archive.ReadUInt(&u);
    archive.ReadChar(&c);
    archive.ReadBool(&b);
    archive.ReadInt(&i);
    EmbeddedFile file;
    archive.ReadEmbeddedFile(&file);
    ResourceEntry entry;
    archive.ReadResourceEntry(&entry);

    DWORD count = 0;
    archive.ReadDword(&count);
    // An item is at least an empty string (4 bytes) and a Dword.
    if (!archive.CanHold(count, 8)) {
        return false;
    }
    std::vector<Item> items(count);
    for (Item& item : items) {
        archive.ReadString(&item.name);
        archive.ReadDword(&item.value);
    }
    return !archive.Failed();
}
