// The registry file: where it lives, and how several processes read and
// change it without losing each other's values. Every change re-reads the
// file under an exclusive lock if it changed and replaces it atomically, so
// a crash never leaves half a file behind. The file is parsed once and read
// again only when it has changed on disk. Only a regular file of at most
// kMaxRegistryTextBytes is read: anything else (a FIFO, a directory, a
// device, a larger file) reads as empty and is never written, and the
// first read says so in one line on stderr.
#pragma once

#include "registry/reg_document.h"

#include <functional>
#include <memory>
#include <string>

namespace platform::registry {

// $SAVER_REGISTRY, else $XDG_CONFIG_HOME (default ~/.config)
// /lumaweft-saver/registry.reg.
std::string RegistryFilePath();

// A missing, unreadable or damaged file reads as empty (as far as it is
// damaged).
std::shared_ptr<const RegDocument> ReadRegistryFile();

// Lets change edit the current contents and writes them back when it
// returns true. Returns ERROR_SUCCESS or why the file could not be written:
// a read-only or refused file is never replaced (ERROR_ACCESS_DENIED), nor
// is a file by one too large to be read (ERROR_REGISTRY_IO_FAILED). A
// symbolic link is followed, and the file keeps its permissions.
LONG UpdateRegistryFile(const std::function<bool(RegDocument&)>& change);

}  // namespace platform::registry
