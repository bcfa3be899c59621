// The document resource manager: one per loaded document.
#pragma once

#include <memory>

#include "scene/document/kv_iof_virtual.h"

class KV_DocResManager {};

// The manager of the unit being updated or drawn; not owned.
extern KV_DocResManager* g_currentDocResManager;

// The manager's record: its class name is read and not compared.
std::unique_ptr<KV_DocResManager> ReadDocResManagerRecord(KV_IOF_Virtual& archive);
