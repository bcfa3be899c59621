// The frame every object record starts with: its class name, then a
// 32-bit version. Records carry no length; a record ends where its reader
// stops.
#pragma once

#include <windef.h>

#include "scene/document/kv_iof_virtual.h"

// Reads the frame of a record whose class is already known: the name is
// consumed and not compared. Returns the version.
DWORD ReadRecordVersion(KV_IOF_Virtual& archive);
void WriteRecordFrame(KV_IOF_Virtual& archive, const kv_string& className, DWORD version);
