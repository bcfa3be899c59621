// The sprite pictures of the sample scene, painted here and stored in the
// document: uncompressed 32-bit DDS files, so that they keep their alpha.
#pragma once

#include <vector>

#include <windows.h>

namespace sample_sprites {

std::vector<BYTE> Fish();
std::vector<BYTE> Raindrop();
std::vector<BYTE> Ray();
std::vector<BYTE> Sparkle();
std::vector<BYTE> GrassBlade();
std::vector<BYTE> Flower();
std::vector<BYTE> Leaf();
// Four frames side by side.
std::vector<BYTE> DischargeStrip();
// One frame of a glowing orb that swells over `frames` frames.
std::vector<BYTE> OrbFrame(int frame, int frames);
std::vector<BYTE> Halo();
// The explosion's colours from cool (left) to hot (right), and its noise,
// grey, which tiles.
std::vector<BYTE> FireGradient();
std::vector<BYTE> FireNoise();

}  // namespace sample_sprites
