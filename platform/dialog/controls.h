// The dialog controls: buttons (push buttons, check boxes, radio buttons,
// group boxes), statics, drop-down list combo boxes, trackbars and tab
// controls. Each is a child window of a class of the layer's own whose
// state lives with the window; the user's actions below are shared by the
// mouse, the keyboard and the simulated machine.
#pragma once

#include <string>
#include <vector>

#include <windows.h>

#include "dialog/dialog_template.h"
#include "window/window_table.h"

namespace platform::dialog {

enum class ControlKind { PushButton, CheckBox, RadioButton, GroupBox, Static, ComboBox, ComboList, Trackbar, Tab, Other };

void RegisterControlClasses();
// The class a template item names, as a class name CreateWindowExW knows.
std::wstring ControlClassName(const TemplateName& className);
ControlKind KindOf(HWND control);

// State kept with a control's window, made at its first use.
template <typename State>
State& StateOf(window::Window& window) {
    if (auto* state = dynamic_cast<State*>(window.extra.get())) return *state;
    window.extra = std::make_unique<State>();
    return static_cast<State&>(*window.extra);
}

struct ButtonState : window::WindowExtra {
    UINT check = BST_UNCHECKED;
};

struct ComboItem {
    std::wstring text;
    LPARAM data = 0;
};

struct ComboState : window::WindowExtra {
    std::vector<ComboItem> items;
    int selection = CB_ERR;
    HWND list = nullptr;  // the open drop-down list
    int firstShown = 0;
};

struct TrackbarState : window::WindowExtra {
    int minimum = 0;
    int maximum = 100;
    int position = 0;
    int ticFrequency = 1;
};

struct TabState : window::WindowExtra {
    std::vector<std::wstring> labels;
    int selection = -1;
};

// Layout shared by drawing and hit testing, in the control's client pixels.
int ComboItemHeight();
RECT TrackbarChannel(HWND trackbar);
int TrackbarThumbX(HWND trackbar);
std::vector<RECT> TabRects(HWND tab);
int TabStripHeight();

// What a user does; nothing happens on a disabled control.
void UserClicksButton(HWND button);
void UserPicksComboItem(HWND combo, int index);
void UserMovesTrackbar(HWND trackbar, int position);
void UserSelectsTab(HWND tab, int index);
// Keys the dialog passes to the control with the focus.
void UserPressesKeyOn(HWND control, UINT virtualKey);

// WM_COMMAND with the control's id and the notification code, to its parent.
void NotifyParent(HWND control, WORD code);

}  // namespace platform::dialog
