// The engine's string type.
#pragma once

#include <string>

using kv_string = std::wstring;
