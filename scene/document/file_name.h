// Names of stored files.
#pragma once

#include "scene/document/kv_string.h"

// The text after the last backslash of `path`; empty when it has none.
kv_string ExtractFileName(const kv_string& path);
