// Waiting for the display's refresh blocks a whole thread, so with several
// devices only one may do it: the first that asks, until it lets go.
#pragma once

namespace platform::d3d9 {

// True when owner holds (or now takes) the vertical sync.
bool ClaimVsync(const void* owner);
void ReleaseVsync(const void* owner);

}  // namespace platform::d3d9
