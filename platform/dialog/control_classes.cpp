#include "dialog/control_classes.h"

#include <commctrl.h>

#include "dialog/controls.h"
#include "text/case_fold.h"

namespace platform::dialog {
namespace {

constexpr const WCHAR* kButtonClass = L"Button";
constexpr const WCHAR* kStaticClass = L"Static";
constexpr const WCHAR* kComboBoxClass = L"ComboBox";

// Template class ordinals of the predefined classes.
constexpr WORD kButtonOrdinal = 0x80;
constexpr WORD kStaticOrdinal = 0x82;
constexpr WORD kComboBoxOrdinal = 0x85;

void Register(const WCHAR* name, WNDPROC procedure) {
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = procedure;
    windowClass.lpszClassName = name;
    RegisterClassW(&windowClass);
}

LRESULT CALLBACK StaticProc(HWND control, UINT message, WPARAM wParam, LPARAM lParam) {
    return ControlDefault(control, message, wParam, lParam);
}

bool IsClass(const window::Window& window, const WCHAR* name) {
    return UpperCase(window.windowClass->name) == UpperCase(name);
}

}  // namespace

void RegisterControlClasses() {
    static const bool registered = [] {
        Register(kButtonClass, ButtonProc);
        Register(kStaticClass, StaticProc);
        Register(kComboBoxClass, ComboBoxProc);
        Register(kComboListClass, ComboListProc);
        Register(TRACKBAR_CLASSW, TrackbarProc);
        Register(WC_TABCONTROLW, TabControlProc);
        return true;
    }();
    (void)registered;
}

std::wstring ControlClassName(const TemplateName& className) {
    if (!className.ordinal) return className.text;
    switch (*className.ordinal) {
        case kButtonOrdinal: return kButtonClass;
        case kStaticOrdinal: return kStaticClass;
        case kComboBoxOrdinal: return kComboBoxClass;
        default: return L"";
    }
}

ControlKind KindOf(HWND control) {
    const window::Window* window = window::LookUpWindow(control);
    if (!window) return ControlKind::Other;
    if (IsClass(*window, kButtonClass)) {
        switch (window->style & BS_TYPEMASK) {
            case BS_CHECKBOX:
            case BS_AUTOCHECKBOX: return ControlKind::CheckBox;
            case BS_RADIOBUTTON:
            case BS_AUTORADIOBUTTON: return ControlKind::RadioButton;
            case BS_GROUPBOX: return ControlKind::GroupBox;
            default: return ControlKind::PushButton;
        }
    }
    if (IsClass(*window, kStaticClass)) return ControlKind::Static;
    if (IsClass(*window, kComboBoxClass)) return ControlKind::ComboBox;
    if (IsClass(*window, kComboListClass)) return ControlKind::ComboList;
    if (IsClass(*window, TRACKBAR_CLASSW)) return ControlKind::Trackbar;
    if (IsClass(*window, WC_TABCONTROLW)) return ControlKind::Tab;
    return ControlKind::Other;
}

void NotifyParent(HWND control, WORD code) {
    const window::Window* window = window::LookUpWindow(control);
    if (!window || !window->parent) return;
    SendMessageW(window->parent, WM_COMMAND, MAKEWPARAM(static_cast<WORD>(window->id), code),
                 reinterpret_cast<LPARAM>(control));
}

LRESULT ControlDefault(HWND control, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_ERASEBKGND:
            return 1;
        case WM_PAINT:
            ValidateRect(control, nullptr);
            if (window::Window* window = window::LookUpWindow(control))
                InvalidateRect(window::TopLevelAncestor(*window).handle, nullptr, FALSE);
            return 0;
        default:
            return DefWindowProcW(control, message, wParam, lParam);
    }
}

}  // namespace platform::dialog
