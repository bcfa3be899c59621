// Which names stand for resource modules: the program itself (the empty
// name) or a name ending in ".dll" in any case. Picture and mesh paths are
// never loaded as modules.
#pragma once

#include "scene/document/kv_string.h"

bool IsModuleName(const kv_string& name);
