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

// Value noise whose lattice repeats every `period` units both ways (0:
// never), so that a picture of one period tiles; in [0, 1).
float PeriodicNoise(float x, float y, int period, uint32_t seed);
// Octaves of it, each twice as fine (and its period twice as long) and half
// as strong; in [0, 1).
float PeriodicFbm(float x, float y, int octaves, int period, uint32_t seed);

}  // namespace pictures
