// Deterministic value noise: the same pictures on every build.
#pragma once

#include <cstdint>

namespace pictures {

// A number in [0, 1) for each lattice point and seed.
float Hash(int x, int y, uint32_t seed);
// Smoothly interpolated between lattice points, in [0, 1).
float ValueNoise(float x, float y, uint32_t seed);
// Octaves of value noise, each twice as fine and half as strong; in [0, 1).
float Fbm(float x, float y, int octaves, uint32_t seed);

}  // namespace pictures
