// What every control class shares.
#pragma once

#include <windows.h>

namespace platform::dialog {

// The messages every control leaves to the same handling: painting goes
// to the dialog, which draws all its controls at once.
LRESULT ControlDefault(HWND control, UINT message, WPARAM wParam, LPARAM lParam);

LRESULT CALLBACK ButtonProc(HWND, UINT, WPARAM, LPARAM);
LRESULT CALLBACK ComboBoxProc(HWND, UINT, WPARAM, LPARAM);
LRESULT CALLBACK ComboListProc(HWND, UINT, WPARAM, LPARAM);
LRESULT CALLBACK TrackbarProc(HWND, UINT, WPARAM, LPARAM);
LRESULT CALLBACK TabControlProc(HWND, UINT, WPARAM, LPARAM);

inline constexpr const WCHAR* kComboListClass = L"ComboLBox";

}  // namespace platform::dialog
