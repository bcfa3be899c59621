// Shell path helpers.
#pragma once

#include <windef.h>

extern "C" BOOL WINAPI PathFileExistsW(LPCWSTR path);

// Generic names follow UNICODE; only the wide forms are declared here.
#ifdef UNICODE
#define PathFileExists PathFileExistsW
#else
#define PathFileExists PathFileExistsA
#endif
