// Engine code may not reach into the platform layer.
#include <windows.h>

#include <platform/unicode.h>
