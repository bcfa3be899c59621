#include "scene/document/record.h"

DWORD ReadRecordVersion(KV_IOF_Virtual& archive) {
    kv_string className;
    archive.ReadString(&className);
    DWORD version = 0;
    archive.ReadDword(&version);
    return version;
}

void WriteRecordFrame(KV_IOF_Virtual& archive, const kv_string& className, DWORD version) {
    archive.WriteString(&className);
    archive.WriteDword(&version);
}
