#include "kernel/win32_error.h"

#include <cerrno>

#include <windows.h>

namespace platform {

DWORD Win32ErrorFromErrno(int error) {
    switch (error) {
    case 0:
        return ERROR_SUCCESS;
    case ENOENT:
        return ERROR_FILE_NOT_FOUND;
    case ENOTDIR:
    case ENAMETOOLONG:
        return ERROR_PATH_NOT_FOUND;
    case EEXIST:
        return ERROR_FILE_EXISTS;
    case ENOMEM:
        return ERROR_NOT_ENOUGH_MEMORY;
    case ENOEXEC:
        return ERROR_BAD_FORMAT;
    case EINVAL:
        return ERROR_INVALID_PARAMETER;
    case EBADF:
        return ERROR_INVALID_HANDLE;
    default:  // EACCES, EPERM, EISDIR, EROFS and failures with no nearer code
        return ERROR_ACCESS_DENIED;
    }
}

void SetLastErrorFromErrno(int error) { SetLastError(Win32ErrorFromErrno(error)); }

}  // namespace platform
