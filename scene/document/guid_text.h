// GUIDs stored as their registry text: "{XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}".
#pragma once

#include <guiddef.h>

#include "scene/document/kv_iof_virtual.h"

// A text that does not parse leaves the GUID as it was, so a key that was
// made unique stays unique.
void ReadGuid(KV_IOF_Virtual& archive, GUID* guid);
void WriteGuid(KV_IOF_Virtual& archive, const GUID& guid);
