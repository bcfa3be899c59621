// Whether the layer's clock is the simulated machine's: then a message
// loop with nothing to do moves the clock to its next timer instead of
// waiting for real time.
#pragma once

namespace platform::window {

void SetClockControlled(bool controlled);
bool ClockIsControlled();

}  // namespace platform::window
