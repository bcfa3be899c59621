#include "scene/document/guid_text.h"

#include <objbase.h>

void ReadGuid(KV_IOF_Virtual& archive, GUID* guid) {
    kv_string text;
    archive.ReadString(&text);
    GUID parsed{};
    if (SUCCEEDED(CLSIDFromString(text.c_str(), &parsed))) {
        *guid = parsed;
    }
}

void WriteGuid(KV_IOF_Virtual& archive, const GUID& guid) {
    WCHAR text[39] = {};
    StringFromGUID2(guid, text, 39);
    const kv_string value(text);
    archive.WriteString(&value);
}
