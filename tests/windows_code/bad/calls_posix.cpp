// Engine code may not call POSIX.
#include <windows.h>
#include <unistd.h>

bool HasProcessors() { return sysconf(_SC_NPROCESSORS_ONLN) > 0; }
