#include "window/window_table.h"

#include <algorithm>

#include "text/case_fold.h"

namespace platform::window {
namespace {

// Window handles are plain numbers that are never reused, so that a stale
// or made-up handle (one given on the command line) is simply not found.
constexpr uintptr_t kFirstHandle = 0x10010;
constexpr uintptr_t kHandleStep = 4;
constexpr ATOM kFirstAtom = 0xC000;

struct Tables {
    std::vector<std::unique_ptr<WindowClass>> classes;
    std::vector<std::unique_ptr<Window>> windows;  // creation order
    uintptr_t nextHandle = kFirstHandle;
};

Tables& State() {
    static Tables tables;
    return tables;
}

bool SameClassName(const std::wstring& a, LPCWSTR b) {
    return UpperCase(a) == UpperCase(b);
}

template <typename Predicate>
std::vector<HWND> Select(Predicate predicate) {
    std::vector<HWND> handles;
    for (const auto& window : State().windows)
        if (predicate(*window)) handles.push_back(window->handle);
    return handles;
}

}  // namespace

const WindowClass* RegisterWindowClass(const WNDCLASSW& description) {
    auto& classes = State().classes;
    auto entry = std::make_unique<WindowClass>();
    entry->name = description.lpszClassName;
    entry->atom = static_cast<ATOM>(kFirstAtom + classes.size());
    entry->style = description.style;
    entry->procedure = description.lpfnWndProc;
    entry->icon = description.hIcon;
    entry->cursor = description.hCursor;
    entry->background = description.hbrBackground;
    classes.push_back(std::move(entry));
    return classes.back().get();
}

const WindowClass* FindWindowClass(LPCWSTR nameOrAtom) {
    if (!nameOrAtom) return nullptr;
    for (const auto& entry : State().classes) {
        if (IS_INTRESOURCE(nameOrAtom) ? entry->atom == reinterpret_cast<uintptr_t>(nameOrAtom)
                                       : SameClassName(entry->name, nameOrAtom))
            return entry.get();
    }
    return nullptr;
}

Window& AddWindow(std::unique_ptr<Window> window) {
    Tables& state = State();
    if (!window->handle) {
        while (LookUpWindow(reinterpret_cast<HWND>(state.nextHandle))) state.nextHandle += kHandleStep;
        window->handle = reinterpret_cast<HWND>(state.nextHandle);
        state.nextHandle += kHandleStep;
    }
    state.windows.push_back(std::move(window));
    return *state.windows.back();
}

bool IsOwnHandle(HWND handle) {
    const auto value = reinterpret_cast<uintptr_t>(handle);
    return value >= kFirstHandle && value < State().nextHandle && (value - kFirstHandle) % kHandleStep == 0;
}

void RemoveWindow(HWND handle) {
    auto& windows = State().windows;
    std::erase_if(windows, [handle](const auto& window) { return window->handle == handle; });
}

Window* LookUpWindow(HWND handle) {
    if (!handle) return nullptr;
    for (const auto& window : State().windows)
        if (window->handle == handle) return window.get();
    return nullptr;
}

Window* WindowOfSdlWindow(uint32_t sdlWindowId) {
    if (sdlWindowId == 0) return nullptr;
    for (const auto& window : State().windows)
        if (SdlWindowId(window->sdlWindow) == sdlWindowId) return window.get();
    return nullptr;
}

std::vector<HWND> AllWindows() {
    return Select([](const Window&) { return true; });
}

std::vector<HWND> TopLevelWindows() {
    return Select([](const Window& window) { return !window.IsChild(); });
}

std::vector<HWND> ChildWindows(HWND parent) {
    return Select([parent](const Window& window) { return window.IsChild() && window.parent == parent; });
}

std::vector<HWND> OwnedWindows(HWND owner) {
    return Select([owner](const Window& window) { return !window.IsChild() && window.owner == owner; });
}

Window& TopLevelAncestor(Window& window) {
    Window* current = &window;
    while (current->IsChild()) {
        Window* parent = LookUpWindow(current->parent);
        if (!parent) break;
        current = parent;
    }
    return *current;
}

bool IsSelfOrDescendant(HWND ancestor, HWND window) {
    for (Window* current = LookUpWindow(window); current;
         current = current->IsChild() ? LookUpWindow(current->parent) : nullptr) {
        if (current->handle == ancestor) return true;
    }
    return false;
}

RECT FrameInsets(DWORD style) {
    // Windows' classic metrics at 96 dpi: a fixed dialog frame of 3 pixels,
    // a thin border of 1, a caption bar of 23 above the client area.
    constexpr LONG kDialogFrame = 3;
    constexpr LONG kBorder = 1;
    constexpr LONG kCaption = 23;
    LONG edge = 0;
    if ((style & WS_DLGFRAME) != 0) edge = kDialogFrame;
    else if ((style & WS_BORDER) != 0) edge = kBorder;
    const LONG caption = (style & WS_CAPTION) == WS_CAPTION ? kCaption : 0;
    return RECT{edge, edge + caption, edge, edge};
}

RECT ClientRectInWindow(const Window& window) {
    const RECT insets = FrameInsets(window.style);
    const LONG width = std::max<LONG>(0, window.rect.right - window.rect.left - insets.left - insets.right);
    const LONG height = std::max<LONG>(0, window.rect.bottom - window.rect.top - insets.top - insets.bottom);
    return RECT{0, 0, width, height};
}

POINT ClientOriginOnScreen(const Window& window) {
    const RECT insets = FrameInsets(window.style);
    POINT origin{window.rect.left + insets.left, window.rect.top + insets.top};
    if (window.IsChild()) {
        if (const Window* parent = LookUpWindow(window.parent)) {
            const POINT parentOrigin = ClientOriginOnScreen(*parent);
            origin.x += parentOrigin.x;
            origin.y += parentOrigin.y;
        }
    }
    return origin;
}

}  // namespace platform::window
