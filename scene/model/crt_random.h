// The one process-wide pseudo-random generator of the scene. It yields the
// Windows C runtime's sequence, which the scene's formulas (rand() / 32767)
// are written for; the C library's rand() is never used.
#pragma once

constexpr int KV_RAND_MAX = 32767;

// Next value in 0 .. KV_RAND_MAX.
int kv_rand();
// Restarts the sequence; the process starts as if seeded with 1.
void kv_srand(unsigned int seed);
