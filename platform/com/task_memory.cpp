// The COM task allocator.
#include <objbase.h>

#include <cstdlib>

extern "C" {

LPVOID WINAPI CoTaskMemAlloc(SIZE_T size) { return std::malloc(size); }

void WINAPI CoTaskMemFree(LPVOID memory) { std::free(memory); }

}  // extern "C"
