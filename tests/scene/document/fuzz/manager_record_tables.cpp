// The fuzzer reads the manager record's tables with the manager's own
// parser, without a device to turn them into textures: every byte of the
// record is still parsed, and nothing is handed back.
#include "scene/document/record.h"
#include "scene/resources/kv_docresmanager.h"
#include "scene/resources/stored_resource_tables.h"

std::unique_ptr<KV_DocResManager> ReadDocResManagerRecord(KV_IOF_Virtual& archive) {
    const DWORD version = ReadRecordVersion(archive);
    StoredResourceTables tables;
    ReadStoredTables(archive, version, tables);
    return nullptr;
}
