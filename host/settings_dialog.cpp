// The main settings dialog and the sound settings dialog.
#include <iterator>

#include <windows.h>

#include <commctrl.h>

#include "host/browser.h"
#include "host/moire_screensaver.h"
#include "host/settings_values.h"
#include "resources/resource.h"

namespace {

constexpr const WCHAR* kPicturePositions[] = {L"Stretch", L"Fit", L"Fill"};

INT_PTR CALLBACK SettingsDialogThunk(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    return g_app ? g_app->SettingsDialogProc(dialog, message, wParam, lParam) : FALSE;
}

}  // namespace

INT_PTR CALLBACK SoundDialogThunk(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    return g_saver ? g_saver->SoundDialogProc(dialog, message, wParam, lParam) : FALSE;
}

void CMoireScreensaver::ShowSettingsDialog() {
    DialogBoxParamW(instance_, MAKEINTRESOURCEW(IDD_SETTINGS), parentWindow_, SettingsDialogThunk, 0);
}

INT_PTR CMoireScreensaver::SettingsDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
        case WM_INITDIALOG:
            SetWindowTextW(dialog, title_);
            SaveSettings();
            for (const WCHAR* position : kPicturePositions)
                SendDlgItemMessageW(dialog, IDC_PICTURE_POSITION, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(position));
            SendDlgItemMessageW(dialog, IDC_PICTURE_POSITION, CB_SETCURSEL, static_cast<WPARAM>(GetPicturePosition()), 0);
            return TRUE;
        case WM_COMMAND:
            switch (LOWORD(wParam)) {
                case IDOK:
                    SetPicturePosition(
                        static_cast<int>(SendDlgItemMessageW(dialog, IDC_PICTURE_POSITION, CB_GETCURSEL, 0, 0)));
                    SaveSettings();
                    EndDialog(dialog, IDOK);
                    return TRUE;
                case IDCANCEL:
                    // Changes made in the display settings are dropped.
                    LoadSettings();
                    EndDialog(dialog, IDCANCEL);
                    return TRUE;
                case IDC_DISPLAY_SETTINGS:
                    ShowDisplaySettingsDialog(dialog);
                    return TRUE;
                case IDC_SOUND_SETTINGS:
                    DialogBoxParamW(instance_, MAKEINTRESOURCEW(IDD_SOUND), dialog, SoundDialogThunk, 0);
                    return TRUE;
                case IDC_WEBSITE: {
                    WCHAR address[kMaxBrowserCommand]{};
                    if (LoadStringW(instance_, IDS_WEBSITE_ADDRESS, address, static_cast<int>(std::size(address))) > 0)
                        OpenWithBrowser(address);
                    return TRUE;
                }
                default:
                    return FALSE;
            }
        default:
            return FALSE;
    }
}

// The trackbar runs from loud at the left to quiet at the right.
INT_PTR CMoireScreensaver::SoundDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
        case WM_INITDIALOG:
            ReadSettingValue(&soundVolume_, kSoundVolumeValue);
            ReadSettingValue(&muteSound_, kMuteSoundValue);
            SendDlgItemMessageW(dialog, IDC_VOLUME, TBM_SETTICFREQ, 10, 0);
            SendDlgItemMessageW(dialog, IDC_VOLUME, TBM_SETRANGE, FALSE, MAKELPARAM(0, 100));
            SendDlgItemMessageW(dialog, IDC_VOLUME, TBM_SETPOS, TRUE, static_cast<LPARAM>(100 - soundVolume_));
            CheckDlgButton(dialog, IDC_MUTE, muteSound_ != 0 ? BST_CHECKED : BST_UNCHECKED);
            return TRUE;
        case WM_COMMAND:
            switch (LOWORD(wParam)) {
                case IDOK: {
                    const LRESULT position = SendDlgItemMessageW(dialog, IDC_VOLUME, TBM_GETPOS, 0, 0);
                    soundVolume_ = static_cast<DWORD>(100 - position);
                    muteSound_ = IsDlgButtonChecked(dialog, IDC_MUTE) == BST_CHECKED ? 1 : 0;
                    WriteSettingValue(soundVolume_, kSoundVolumeValue);
                    WriteSettingValue(muteSound_, kMuteSoundValue);
                    EndDialog(dialog, IDOK);
                    return TRUE;
                }
                case IDCANCEL:
                    EndDialog(dialog, IDCANCEL);
                    return TRUE;
                default:
                    return FALSE;
            }
        default:
            return FALSE;
    }
}
