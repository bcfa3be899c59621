// The display settings dialogs: per monitor, the rendering choice, whether
// the monitor stays black, and the display mode.
#include <iterator>

#include <windows.h>

#include <commctrl.h>

#include "host/d3d_screensaver.h"
#include "host/display_help.h"
#include "host/display_modes.h"
#include "resources/resource.h"

namespace {

constexpr int kModeControls[] = {IDC_MODE_LABEL, IDC_MODE_GROUP, IDC_MODE_LIST, IDC_MODE_HINT};
constexpr int kShowControls[] = {IDC_SHOW_GROUP, IDC_SHOW_SAVER, IDC_SHOW_NOTHING};
constexpr LPARAM kAutomaticItem = -1;

void EnableControls(HWND dialog, const int* ids, size_t count, bool enable) {
    for (size_t i = 0; i < count; ++i) EnableWindow(GetDlgItem(dialog, ids[i]), enable ? TRUE : FALSE);
}

void EnableModeControls(HWND dialog) {
    const bool showing = IsDlgButtonChecked(dialog, IDC_SHOW_NOTHING) != BST_CHECKED;
    EnableControls(dialog, kModeControls, std::size(kModeControls), showing);
}

int SelectedMonitor(HWND dialog) {
    return static_cast<int>(SendDlgItemMessageW(dialog, IDC_MONITOR_TABS, TCM_GETCURSEL, 0, 0));
}

bool IsChecked(HWND dialog, int id) { return IsDlgButtonChecked(dialog, id) == BST_CHECKED; }

}  // namespace

INT_PTR CALLBACK DisplaySettingsDialogThunk(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    return g_saver ? g_saver->DisplaySettingsProc(dialog, message, wParam, lParam) : FALSE;
}

void CD3DScreensaver::ShowDisplaySettingsDialog(HWND parent) {
    const int id = adapterCount_ < 2 ? IDD_DISPLAY_ONE : IDD_DISPLAY_SEVERAL;
    DialogBoxParamW(instance_, MAKEINTRESOURCEW(id), parent, DisplaySettingsDialogThunk, 0);
}

AdapterRecord* CD3DScreensaver::AdapterOfMonitor(int monitorIndex) {
    if (monitorIndex < 0 || monitorIndex >= monitorCount_) return nullptr;
    const int adapter = monitors_[monitorIndex].adapterIndex;
    return adapter >= 0 ? adapters_[adapter].get() : nullptr;
}

void CD3DScreensaver::FillDisplayPage(HWND dialog, int monitorIndex) {
    AdapterRecord* adapter = AdapterOfMonitor(monitorIndex);
    const std::wstring description =
        monitorIndex >= 0 && monitorIndex < monitorCount_ ? monitors_[monitorIndex].adapterDescription : L"";
    SetDlgItemTextW(dialog, IDC_ADAPTER_NAME, description.c_str());
    WCHAR text[400]{};
    LoadStringW(instance_, RenderingStringId(adapter), text, static_cast<int>(std::size(text)));
    SetDlgItemTextW(dialog, IDC_RENDERING, text);

    const bool hardware = adapter && adapter->hardwareFormatsPass && adapter->hardwareUsable;
    EnableWindow(GetDlgItem(dialog, IDC_DISABLE_HARDWARE), hardware ? TRUE : FALSE);
    CheckDlgButton(dialog, IDC_DISABLE_HARDWARE, hardware && adapter->disableHardware ? BST_CHECKED : BST_UNCHECKED);

    const bool canShow =
        adapter && ((adapter->hardwareUsable && adapter->disableHardware == 0) || adapter->softwareUsable);
    CheckRadioButton(dialog, IDC_SHOW_SAVER, IDC_SHOW_NOTHING,
                     canShow && adapter->leaveBlack == 0 ? IDC_SHOW_SAVER : IDC_SHOW_NOTHING);
    EnableControls(dialog, kShowControls, std::size(kShowControls), canShow);
    EnableModeControls(dialog);

    SendDlgItemMessageW(dialog, IDC_MODE_LIST, CB_RESETCONTENT, 0, 0);
    GetDlgItemTextW(dialog, IDC_MODE_AUTOMATIC, text, static_cast<int>(std::size(text)));
    SendDlgItemMessageW(dialog, IDC_MODE_LIST, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
    SendDlgItemMessageW(dialog, IDC_MODE_LIST, CB_SETITEMDATA, 0, kAutomaticItem);
    int selected = 0;
    if (adapter && adapter->chosenDevice < adapter->deviceCount) {
        const DeviceRecord& device = adapter->devices[adapter->chosenDevice];
        WCHAR format[100]{};
        GetDlgItemTextW(dialog, IDC_MODE_FORMAT, format, static_cast<int>(std::size(format)));
        for (UINT i = 0; i < device.modeCount; ++i) {
            const DeviceMode& mode = device.modes[i];
            wsprintfW(text, format, static_cast<int>(mode.width), static_cast<int>(mode.height),
                      Is32BitFormat(mode.format) || mode.format == D3DFMT_R8G8B8 ? 32 : 16);
            const LRESULT item =
                SendDlgItemMessageW(dialog, IDC_MODE_LIST, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
            SendDlgItemMessageW(dialog, IDC_MODE_LIST, CB_SETITEMDATA, static_cast<WPARAM>(item),
                                static_cast<LPARAM>(i));
            if (mode.width == adapter->savedWidth && mode.height == adapter->savedHeight &&
                mode.format == adapter->savedFormat)
                selected = static_cast<int>(item);
        }
    }
    SendDlgItemMessageW(dialog, IDC_MODE_LIST, CB_SETCURSEL, static_cast<WPARAM>(selected), 0);
}

INT_PTR CD3DScreensaver::DisplaySettingsProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_INITDIALOG: {
            WCHAR format[100]{};
            GetDlgItemTextW(dialog, IDC_MONITOR_LABEL, format, static_cast<int>(std::size(format)));
            for (int m = 0; m < monitorCount_; ++m) {
                WCHAR label[120]{};
                wsprintfW(label, format, m + 1);
                TCITEMW item{};
                item.mask = TCIF_TEXT;
                item.pszText = label;
                SendDlgItemMessageW(dialog, IDC_MONITOR_TABS, TCM_INSERTITEMW, static_cast<WPARAM>(m),
                                    reinterpret_cast<LPARAM>(&item));
            }
            adapterCopies_.clear();
            for (UINT a = 0; a < adapterCount_; ++a) adapterCopies_.push_back(*adapters_[a]);
            allScreensSameCopy_ = allScreensSame_;
            FillDisplayPage(dialog, SelectedMonitor(dialog));
            CheckDlgButton(dialog, IDC_REVERSE_ORDER, allScreensSame_ != 0 ? BST_CHECKED : BST_UNCHECKED);
            return TRUE;
        }
        case WM_NOTIFY: {
            const auto* header = reinterpret_cast<const NMHDR*>(lParam);
            if (header && header->code == TCN_SELCHANGE) FillDisplayPage(dialog, SelectedMonitor(dialog));
            return TRUE;
        }
        case WM_COMMAND:
            break;
        default:
            return FALSE;
    }
    AdapterRecord* adapter = AdapterOfMonitor(SelectedMonitor(dialog));
    switch (LOWORD(wParam)) {
        case IDOK:
            adapterCopies_.clear();
            EndDialog(dialog, IDOK);
            return TRUE;
        case IDCANCEL:
            for (UINT a = 0; a < adapterCount_ && a < adapterCopies_.size(); ++a) *adapters_[a] = adapterCopies_[a];
            adapterCopies_.clear();
            allScreensSame_ = allScreensSameCopy_;
            EndDialog(dialog, IDCANCEL);
            return TRUE;
        case IDC_DISPLAY_HELP: {
            const int monitor = SelectedMonitor(dialog);
            WCHAR text[400]{};
            LoadStringW(instance_, DisplayHelpStringId(adapter), text, static_cast<int>(std::size(text)));
            const std::wstring caption = monitor < monitorCount_ ? monitors_[monitor].adapterDescription : L"";
            MessageBoxW(dialog, text, caption.c_str(), MB_ICONINFORMATION);
            return TRUE;
        }
        case IDC_DISABLE_HARDWARE:
            if (adapter) adapter->disableHardware = IsChecked(dialog, IDC_DISABLE_HARDWARE) ? 1 : 0;
            FillDisplayPage(dialog, SelectedMonitor(dialog));
            return TRUE;
        case IDC_SHOW_SAVER:
        case IDC_SHOW_NOTHING:
            if (adapter) adapter->leaveBlack = IsChecked(dialog, IDC_SHOW_NOTHING) ? 1 : 0;
            EnableModeControls(dialog);
            return TRUE;
        case IDC_MODE_LIST: {
            if (HIWORD(wParam) != CBN_SELCHANGE || !adapter) return TRUE;
            const LRESULT item = SendDlgItemMessageW(dialog, IDC_MODE_LIST, CB_GETCURSEL, 0, 0);
            const LRESULT index = SendDlgItemMessageW(dialog, IDC_MODE_LIST, CB_GETITEMDATA,
                                                      static_cast<WPARAM>(item), 0);
            const DeviceRecord& device = adapter->devices[adapter->chosenDevice];
            if (item <= 0 || index < 0 || static_cast<UINT>(index) >= device.modeCount) {
                adapter->savedWidth = adapter->savedHeight = adapter->savedFormat = 0;
            } else {
                const DeviceMode& mode = device.modes[index];
                adapter->savedWidth = mode.width;
                adapter->savedHeight = mode.height;
                adapter->savedFormat = mode.format;
            }
            return TRUE;
        }
        case IDC_REVERSE_ORDER:
            allScreensSame_ = IsChecked(dialog, IDC_REVERSE_ORDER) ? 1 : 0;
            return TRUE;
        default:
            return FALSE;
    }
}
