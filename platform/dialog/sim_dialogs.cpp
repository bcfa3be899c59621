#include <platform/sim_dialogs.h>

#include <utility>

#include "dialog/controls.h"
#include "dialog/dialog_shown.h"
#include "dialog/dialog_window.h"

namespace platform {
namespace {

sim::DialogUser& User() {
    static sim::DialogUser user;
    return user;
}

}  // namespace

void dialog::NoteDialogShown(HWND dialog, int templateId) {
    // A copy: the user may replace itself while it acts.
    const sim::DialogUser user = User();
    if (user) user(dialog, templateId);
}

namespace sim {

void SetDialogUser(DialogUser user) { User() = std::move(user); }

void ClickControl(HWND dialog, int id) { dialog::UserClicksButton(GetDlgItem(dialog, id)); }

void PickComboItem(HWND dialog, int id, int index) { dialog::UserPicksComboItem(GetDlgItem(dialog, id), index); }

void MoveTrackbar(HWND dialog, int id, int position) {
    dialog::UserMovesTrackbar(GetDlgItem(dialog, id), position);
}

void SelectTab(HWND dialog, int id, int index) { dialog::UserSelectsTab(GetDlgItem(dialog, id), index); }

int FocusedControl(HWND dialog) {
    const dialog::DialogState* state = dialog::DialogOf(dialog);
    return state && state->focus ? GetDlgCtrlID(state->focus) : 0;
}

}  // namespace sim
}  // namespace platform
