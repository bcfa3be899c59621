// The one error the scene raises: the document could not be loaded
// ("Could not load required media."). Thrown as this 32-bit value.
#pragma once

#include <windef.h>

inline constexpr DWORD kDocumentLoadError = 0x8200000Bu;
