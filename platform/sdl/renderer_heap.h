// The heap behind the software rasteriser's per-frame allocations.
#pragma once

namespace platform {

// Keeps memory the C library frees in the process instead of returning it
// to the kernel at once. The rasteriser allocates and frees megabytes of
// bins every frame; handed back each time, every page of them faults in and
// is zeroed again on the next frame. For the whole process; calling it
// again changes nothing.
void KeepFreedHeapForNextFrames();

}  // namespace platform
