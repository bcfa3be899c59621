// Common controls.
#pragma once

#include <windef.h>

extern "C" {

void WINAPI InitCommonControls();

}  // extern "C"
