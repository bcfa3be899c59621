// Writing to a descriptor until every byte is written.
#pragma once

#include <cstddef>

namespace platform {

// False on an error; errno tells which.
bool WriteAll(int descriptor, const char* bytes, std::size_t count);

}  // namespace platform
