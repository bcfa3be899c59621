// Counts the program's heap allocations through operator new, for the
// benchmarks that show that a frame makes none.
#pragma once

// How many allocations the program has made so far.
long AllocationsSoFar();
