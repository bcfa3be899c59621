// SDL's events become Windows input: keys, mouse moves and buttons, the
// close button, and activation of the application as a whole.
#pragma once

#include <cstdint>

namespace platform::window {

// Moves every waiting SDL event into the input queue.
void PumpSdlEvents();

// Called when the first window appears: the cursor's position from then on
// tells real mouse moves from a window appearing under a still cursor.
void LearnCursorPosition();

// The SDL window that has the keyboard focus, 0 when none of ours.
uint32_t FocusedSdlWindow();

}  // namespace platform::window
