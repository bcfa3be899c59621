#include "benchmarks/support/allocation_count.h"

#include <cstdlib>
#include <new>

thread_local bool t_countingAllocations = false;
thread_local long t_allocationCount = 0;

// The library's delete frees what this new allocated.
void* operator new(std::size_t size)
{
    if (t_countingAllocations)
        ++t_allocationCount;
    if (void* p = std::malloc(size ? size : 1))
        return p;
    throw std::bad_alloc();
}
// GCC takes the free below for one of memory from the library's new.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"
void operator delete(void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }
#pragma GCC diagnostic pop
