// Windows error codes for the system's errno values.
#pragma once

#include <windef.h>

namespace platform {

DWORD Win32ErrorFromErrno(int error);

// SetLastError with the Windows code of the errno value.
void SetLastErrorFromErrno(int error);

}  // namespace platform
