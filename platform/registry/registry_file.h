// The registry file: where it lives, and how several processes read and
// change it without losing each other's values. Every change re-reads the
// file under an exclusive lock and replaces it atomically, so a crash never
// leaves half a file behind.
#pragma once

#include "registry/registry_data.h"

#include <functional>
#include <string>

namespace platform::registry {

// $SAVER_REGISTRY, else $XDG_CONFIG_HOME (default ~/.config)
// /lumaweft-saver/registry.reg.
std::string RegistryFilePath();

// A missing, unreadable or damaged file reads as empty (as far as it is
// damaged).
RegistryData ReadRegistryFile();

// Lets change edit the current contents and writes them back when it
// returns true. Returns ERROR_SUCCESS or why the file could not be written.
LONG UpdateRegistryFile(const std::function<bool(RegistryData&)>& change);

}  // namespace platform::registry
