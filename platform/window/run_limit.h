// SAVER_CAPTURE_FRAMES and SAVER_RUN_SECONDS: after that many frames shown
// or seconds run, the run ends as a user would end it: a key press, then
// the close button of every window.
#pragma once

namespace platform {

// Counts one frame shown on screen: a GDI paint or a Direct3D present.
void NoteFrameShown();

// Called by the message loop; the run time counts from its first call.
void CheckRunTime();

}  // namespace platform
