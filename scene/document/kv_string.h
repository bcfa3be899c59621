// The engine's text type: wide strings, converted to and from UTF-16LE
// wherever document bytes are read or written.
#pragma once

#include <string>

using kv_string = std::wstring;
