// A stream holding every primitive encoding once, with a counted list, for
// the robustness test and the document fuzzer.
#pragma once

#include <vector>

#include <windef.h>

#include "scene/document/kv_iof_virtual.h"

std::vector<BYTE> SamplePrimitiveStream();
// Reads what SamplePrimitiveStream writes; false when the archive failed.
bool ReadPrimitiveStream(KV_IOF_Virtual& archive);
