// Message-cracking helpers.
#pragma once

#include <windef.h>

// Mouse positions in lparam are signed 16-bit client coordinates.
#define GET_X_LPARAM(lParam) ((int)(SHORT)LOWORD(lParam))
#define GET_Y_LPARAM(lParam) ((int)(SHORT)HIWORD(lParam))
