// Shell path helpers.
#pragma once

#include <windef.h>

extern "C" BOOL WINAPI PathFileExistsW(LPCWSTR path);
