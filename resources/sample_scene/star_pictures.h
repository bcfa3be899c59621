// The star slide's pictures, painted here so that the sample stores them:
// white with the shape in alpha, as uncompressed A8R8G8B8 "DDS" files.
#pragma once

#include <vector>

#include <windows.h>

// A four-rayed sparkle with a bright centre (64 x 64).
std::vector<BYTE> StarPicture();
// A soft round glow (64 x 64).
std::vector<BYTE> GlowPicture();
