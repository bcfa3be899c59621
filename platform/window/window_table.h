// The process's window classes and windows. Everything here runs on the
// thread of the message loop; other threads only post messages, which
// consult the message queue's own list of live handles.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include <windows.h>

#include "gdi/canvas.h"
#include "sdl/foreign_embedding.h"
#include "window/gl_presenter.h"
#include "window/sdl_window.h"

namespace platform::window {

struct WindowClass {
    std::wstring name;
    ATOM atom = 0;
    UINT style = 0;
    WNDPROC procedure = nullptr;
    HICON icon = nullptr;
    HCURSOR cursor = nullptr;
    HBRUSH background = nullptr;
};

// The part of a window that needs painting: a bounding rectangle in client
// coordinates, and whether BeginPaint erases the background first.
struct UpdateRegion {
    bool pending = false;
    bool erase = false;
    RECT bounds{};
};

// State that a class of the layer's own (a control, a dialog) keeps with
// its windows.
struct WindowExtra {
    virtual ~WindowExtra() = default;
};

struct Window {
    HWND handle = nullptr;
    const WindowClass* windowClass = nullptr;
    WNDPROC procedure = nullptr;
    DWORD style = 0;
    DWORD exStyle = 0;
    HWND parent = nullptr;
    HWND owner = nullptr;
    RECT rect{};  // the parent's client coordinates for a child, else the screen's
    LONG_PTR userData = 0;
    std::wstring text;
    UINT_PTR id = 0;  // a child window's control id
    std::unique_ptr<WindowExtra> extra;
    bool destroying = false;
    UpdateRegion update;
    gdi::Canvas canvas;
    // A window of another program: ours inside it, destroyed after sdlWindow.
    std::unique_ptr<ForeignEmbedding> embedding;
    SdlWindow sdlWindow;  // top-level windows only
    std::unique_ptr<GlPresenter> presenter;  // made at the first presentation
    bool presenterUnavailable = false;

    bool IsChild() const { return (style & WS_CHILD) != 0; }
    bool IsVisible() const { return (style & WS_VISIBLE) != 0; }
    bool IsEnabled() const { return (style & WS_DISABLED) == 0; }
};

// Classes live as long as the process; names compare case-insensitively.
const WindowClass* RegisterWindowClass(const WNDCLASSW& description);
// nameOrAtom: a class name or MAKEINTATOM of a registered atom.
const WindowClass* FindWindowClass(LPCWSTR nameOrAtom);

// Assigns the handle, unless the window has one already (a window of
// another program keeps its own).
Window& AddWindow(std::unique_ptr<Window> window);
// Whether the handle is one the table gave out (the window may be gone).
bool IsOwnHandle(HWND handle);
void RemoveWindow(HWND handle);
Window* LookUpWindow(HWND handle);
Window* WindowOfSdlWindow(uint32_t sdlWindowId);

// Snapshots in creation order, so that callers survive windows that
// window procedures create or destroy meanwhile.
std::vector<HWND> AllWindows();
std::vector<HWND> TopLevelWindows();
std::vector<HWND> ChildWindows(HWND parent);
std::vector<HWND> OwnedWindows(HWND owner);

Window& TopLevelAncestor(Window& window);
// True when window is ancestor or one of its descendants.
bool IsSelfOrDescendant(HWND ancestor, HWND window);

// Frame sizes added around the client area for a window style.
RECT FrameInsets(DWORD style);
RECT ClientRectInWindow(const Window& window);  // client area, client coordinates
POINT ClientOriginOnScreen(const Window& window);

}  // namespace platform::window
