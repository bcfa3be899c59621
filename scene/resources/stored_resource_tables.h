// The stored form of the manager's four tables. Reading trusts no count:
// each is checked against the bytes that remain before anything grows.
#pragma once

#include <windef.h>

#include "scene/document/kv_iof_virtual.h"
#include "scene/resources/doc_res_tables.h"

// The tables the record version holds, in their order; a key stored twice
// keeps its first list.
void ReadStoredTables(KV_IOF_Virtual& archive, DWORD version, StoredResourceTables& tables);
// All four tables.
void WriteStoredTables(KV_IOF_Virtual& archive, const StoredResourceTables& tables);
