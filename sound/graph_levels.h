// DirectShow levels from the 0-to-100 settings: (value x step - 10000) x
// 0.4 in single precision, truncated toward zero. A step of 100 gives the
// volume (-4000 to 0), 200 the balance (-4000 to 4000).
#pragma once

#include <windows.h>

inline LONG GraphLevel(int value, int step)
{
    return static_cast<LONG>(static_cast<float>(value * step - 10000) * 0.4f);
}
