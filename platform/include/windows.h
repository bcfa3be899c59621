// The Windows API as this program uses it. No min/max macros: the
// standard library's std::min and std::max stay usable.
#pragma once

#include <windef.h>
#include <winerror.h>
#include <guiddef.h>
#include <winbase.h>
#include <wingdi.h>
#include <winuser.h>
#include <commctrl.h>
#include <winreg.h>
#include <objbase.h>
#include <mmsystem.h>
