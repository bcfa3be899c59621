// The generator slides' pictures, painted here so that the sample stores
// them: white with the shape in alpha, as uncompressed A8R8G8B8 "DDS" files.
#pragma once

#include <vector>

#include <windows.h>

// A four-rayed sparkle with a bright centre (64 x 64).
std::vector<BYTE> StarPicture();
// A soft round glow (64 x 64).
std::vector<BYTE> GlowPicture();
// A spark: a hot point in a small halo (32 x 32).
std::vector<BYTE> SparkPicture();
// Across a bolt: bright along the middle, fading to both edges (32 x 32).
std::vector<BYTE> BoltPicture();
