// Drawing one control of a dialog into an ImGui draw list: all that the
// painter decides, without a display.
#pragma once

#include <imgui.h>

#include <windows.h>

namespace platform::dialog {

// The dialog's own background.
inline constexpr ImU32 kDialogFace = IM_COL32(240, 240, 240, 255);

// Draws the control at its place, dialogOrigin being the dialog's client
// origin on the screen; an invisible control draws nothing.
void DrawControl(ImDrawList& list, ImVec2 dialogOrigin, HWND control, bool focused);

}  // namespace platform::dialog
