// The keys a dialog passes on to the control that has the focus.
#include <algorithm>

#include <commctrl.h>

#include "dialog/controls.h"

namespace platform::dialog {

void UserPressesKeyOn(HWND control, UINT virtualKey) {
    switch (KindOf(control)) {
        case ControlKind::ComboBox: {
            const int selection = static_cast<int>(SendMessageW(control, CB_GETCURSEL, 0, 0));
            if (virtualKey == VK_DOWN) UserPicksComboItem(control, selection + 1);
            if (virtualKey == VK_UP) UserPicksComboItem(control, std::max(0, selection - 1));
            if (virtualKey == VK_F4) SendMessageW(control, WM_LBUTTONDOWN, 0, 0);
            return;
        }
        case ControlKind::Trackbar: {
            const LRESULT position = SendMessageW(control, TBM_GETPOS, 0, 0);
            if (virtualKey == VK_LEFT || virtualKey == VK_UP) UserMovesTrackbar(control, static_cast<int>(position) - 1);
            if (virtualKey == VK_RIGHT || virtualKey == VK_DOWN) UserMovesTrackbar(control, static_cast<int>(position) + 1);
            return;
        }
        case ControlKind::Tab:
            if (window::Window* window = window::LookUpWindow(control)) {
                const int selection = StateOf<TabState>(*window).selection;
                if (virtualKey == VK_LEFT) UserSelectsTab(control, selection - 1);
                if (virtualKey == VK_RIGHT) UserSelectsTab(control, selection + 1);
            }
            return;
        default:
            return;
    }
}

}  // namespace platform::dialog
