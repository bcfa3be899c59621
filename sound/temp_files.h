// Sound files copied to the temporary folder so that DirectShow can open
// them by name.
#pragma once

#include <windows.h>

#include "scene/document/kv_string.h"

// The file name of a stored path: after its last backslash, or the whole
// name when it has none.
kv_string StoredFileName(const kv_string& storedPath);
// The temporary folder (GetTempPathW, at most 260 characters) + name.
kv_string TempFolderPath(const kv_string& name);
// A name that two stored paths share only when they are the same path:
// a hash of the whole path before the file name.
kv_string UniqueTempName(const kv_string& storedPath);
// Creates or truncates the file; false when it cannot be written whole.
bool WriteWholeFile(const kv_string& path, const BYTE* bytes, DWORD size);
