// The garden slide's pictures, painted here so that the sample stores them;
// the animated ones as frame strips, one picture a frame.
#pragma once

#include <vector>

#include <windows.h>

namespace sample_garden {

// A sunflower on its stem, its base at the bottom (128 x 256).
std::vector<BYTE> Sunflower();
// A beam of warm light from the sun at its left end (128 x 32).
std::vector<BYTE> SunRay();
// A soft ragged puff of smoke (64 x 64).
std::vector<BYTE> SmokePuff();
// A butterfly flying to the right, seen from above, its wings beating
// over `frames` frames (64 x 64).
std::vector<BYTE> ButterflyFrame(int frame, int frames);
// A pinwheel of four coloured blades on its stick, turning once round over
// `frames` frames (64 x 96).
std::vector<BYTE> PinwheelFrame(int frame, int frames);
// A bee seen from above, wings up (frame 0) or down (32 x 32).
std::vector<BYTE> BeeFrame(int frame);

}  // namespace sample_garden
