// One-dimensional value noise, in double precision.
#pragma once

// Smooth noise in [-1, 1], cosine-interpolated between lattice values.
double ValueNoise1D(double x);

// Sum over i < count of persistence^i * ValueNoise1D(2^i * x / scale); 0 when count <= 0.
double NoiseOctaves(double x, double scale, double persistence, int count);
