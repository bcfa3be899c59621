// SAVER_CAPTURE_FRAMES and SAVER_RUN_SECONDS: once every unit has shown that
// many frames, or after that many seconds, the run ends as a user would end
// it: a key press, then the close button of every window. Malformed values
// are reported once on standard error and ignored.
#pragma once

#include <windef.h>

#include <cstdint>
#include <optional>

namespace platform {

// A Direct3D device presented a frame. The run's frame count is that of the
// devices while any exists; GDI paints count when there is none (error mode).
void NoteFramePresented(const void* device);
void NoteDeviceGone(const void* device);
// A window's GDI paint reached the screen.
void NoteWindowPainted(HWND window);

// Called by the message loop; the run time counts from its first call.
void CheckRunTime();

// SAVER_CAPTURE_FRAMES when it is valid.
std::optional<uint64_t> CaptureFrameLimit();

}  // namespace platform
