#include "sdl/renderer_heap.h"

#include <malloc.h>

namespace platform {
namespace {

// Well above what a frame frees at the largest back buffers.
constexpr int kTrimThreshold = 256 << 20;

}  // namespace

void KeepFreedHeapForNextFrames() { mallopt(M_TRIM_THRESHOLD, kTrimThreshold); }

}  // namespace platform
