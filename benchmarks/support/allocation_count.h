// Allocations through operator new on the calling thread, for the
// benchmarks that show what a frame allocates. The program that includes
// this links allocation_count.cpp, which replaces operator new.
#pragma once

extern thread_local bool t_countingAllocations;
extern thread_local long t_allocationCount;

// The allocations made by f on this thread.
template <class F>
long CountAllocations(F f)
{
    t_allocationCount = 0;
    t_countingAllocations = true;
    f();
    t_countingAllocations = false;
    return t_allocationCount;
}
