// Tests only: the message boxes the program has shown, oldest first.
#pragma once

#include <string>
#include <vector>

#include <windef.h>

namespace platform::sim {

struct ShownMessageBox {
    HWND owner;
    std::wstring text;
    std::wstring caption;
    UINT type;
};

std::vector<ShownMessageBox> ShownMessageBoxes();
void ClearShownMessageBoxes();

}  // namespace platform::sim

#include <functional>

namespace platform::sim {

// Called when a dialog box is up, before its modal loop waits for input:
// the test acts as the user would. Actions may end the dialog or open
// another one, whose call comes in turn. An empty function: nobody acts.
using DialogUser = std::function<void(HWND dialog, int templateId)>;
void SetDialogUser(DialogUser user);

// The user's actions on a dialog's controls; nothing happens on a control
// that is missing or disabled.
void ClickControl(HWND dialog, int id);
void PickComboItem(HWND dialog, int id, int index);
void MoveTrackbar(HWND dialog, int id, int position);
void SelectTab(HWND dialog, int id, int index);

// The id of the control with the keyboard focus, 0 when none.
int FocusedControl(HWND dialog);

}  // namespace platform::sim
