// Window classes, creating and destroying windows, their geometry and data.
#include <algorithm>
#include <utility>

#include <SDL.h>

#include <platform/unicode.h>

#include "sdl/foreign_embedding.h"
#include "sdl/gl_context.h"
#include "sdl/sdl_video.h"
#include "window/icon.h"
#include "window/input_queue.h"
#include "window/painting.h"
#include "window/posted_queue.h"
#include "window/sdl_input.h"
#include "window/timers.h"
#include "window/window_table.h"

namespace platform::window {
namespace {

void SetSdlWindowIcon(SDL_Window* window, const IconImage* icon) {
    if (!icon) return;
    SDL_Surface* surface = SDL_CreateRGBSurfaceWithFormatFrom(
        const_cast<uint32_t*>(icon->pixels.data()), icon->width, icon->height, 32, icon->width * 4,
        SDL_PIXELFORMAT_ARGB8888);
    if (!surface) return;
    SDL_SetWindowIcon(window, surface);
    SDL_FreeSurface(surface);
}

// Every top-level window is GL-capable, so that a Direct3D device can
// take it later; the SDL window covers the client area.
SdlWindow CreateSdlWindow(const Window& window, LPCWSTR title) {
    if (!EnsureSdlVideo()) return nullptr;
    KeepGlLibraryLoaded();
    const POINT origin = ClientOriginOnScreen(window);
    const RECT client = ClientRectInWindow(window);
    Uint32 flags = SDL_WINDOW_OPENGL | SDL_WINDOW_HIDDEN;
    if ((window.style & WS_CAPTION) != WS_CAPTION) flags |= SDL_WINDOW_BORDERLESS;
    if ((window.exStyle & WS_EX_TOPMOST) != 0) flags |= SDL_WINDOW_ALWAYS_ON_TOP;
    const std::string utf8Title = Utf8FromWide(title ? title : L"");
    SdlWindow created(SDL_CreateWindow(utf8Title.c_str(), origin.x, origin.y, std::max<LONG>(1, client.right),
                                       std::max<LONG>(1, client.bottom), flags));
    if (created) SetSdlWindowIcon(created.get(), IconImageOf(window.windowClass->icon));
    return created;
}

void Show(Window& window, bool visible) {
    if (window.IsVisible() == visible) return;
    if (visible) window.style |= WS_VISIBLE;
    else window.style &= ~WS_VISIBLE;
    // Ours inside another program's window stays shown until it goes,
    // which may be with that window, when nothing of it can be asked.
    if (window.sdlWindow && !window.embedding) {
        if (visible) SDL_ShowWindow(window.sdlWindow.get());
        else SDL_HideWindow(window.sdlWindow.get());
    }
    if (visible) InvalidateTree(window);
    else InvalidateAreaUnder(window);
}

void ApplyPlacement(Window& window) {
    const RECT client = ClientRectInWindow(window);
    window.canvas.Resize(client.right, client.bottom);
    if (!window.sdlWindow || window.embedding) return;
    const POINT origin = ClientOriginOnScreen(window);
    SDL_SetWindowPosition(window.sdlWindow.get(), origin.x, origin.y);
    SDL_SetWindowSize(window.sdlWindow.get(), std::max<LONG>(1, client.right), std::max<LONG>(1, client.bottom));
}

// WM_DESTROY reaches a window before its children.
void SendDestroy(HWND handle) {
    SendMessageW(handle, WM_DESTROY, 0, 0);
    for (HWND child : ChildWindows(handle)) SendDestroy(child);
}

// WM_NCDESTROY reaches the children first; then the window is gone.
void SendFinalDestroy(HWND handle) {
    for (HWND child : ChildWindows(handle)) SendFinalDestroy(child);
    SendMessageW(handle, WM_NCDESTROY, 0, 0);
    RemoveLiveWindow(handle);
    StopTimersOf(handle);
    DropInputFor(handle);
    RemoveWindow(handle);
}

void MarkDestroying(Window& window) {
    window.destroying = true;
    for (HWND child : ChildWindows(window.handle))
        if (Window* childWindow = LookUpWindow(child)) MarkDestroying(*childWindow);
}

// Windows of other programs are drawn in like any top-level window; they
// have no procedure of the program's.
const WindowClass& ForeignWindowClass() {
    static const WindowClass foreign{L"", 0, 0, DefWindowProcW, nullptr, nullptr, nullptr};
    return foreign;
}

// A handle that is none of ours may be the native id of another
// program's window (a screensaver manager's, for the preview).
Window* AdoptForeignWindow(HWND handle) {
    if (!handle || IsOwnHandle(handle)) return nullptr;
    auto embedding = ForeignEmbedding::Create(reinterpret_cast<uintptr_t>(handle));
    if (!embedding) return nullptr;
    auto adopted = std::make_unique<Window>();
    adopted->handle = handle;
    adopted->windowClass = &ForeignWindowClass();
    adopted->procedure = DefWindowProcW;
    adopted->style = WS_POPUP | WS_VISIBLE;
    adopted->rect = RECT{embedding->x(), embedding->y(), embedding->x() + embedding->width(),
                         embedding->y() + embedding->height()};
    adopted->canvas.Resize(embedding->width(), embedding->height());
    adopted->sdlWindow.reset(embedding->sdlWindow());
    adopted->embedding = std::move(embedding);
    Window& added = AddWindow(std::move(adopted));
    AddLiveWindow(handle);
    InvalidateTree(added);
    return &added;
}

Window* OwnOrForeignWindow(HWND handle) {
    Window* window = LookUpWindow(handle);
    return window ? window : AdoptForeignWindow(handle);
}

}  // namespace
}  // namespace platform::window

using namespace platform::window;

extern "C" {

ATOM WINAPI RegisterClassW(const WNDCLASSW* description) {
    if (!description || !description->lpfnWndProc || !description->lpszClassName ||
        IS_INTRESOURCE(description->lpszClassName) || FindWindowClass(description->lpszClassName))
        return 0;
    return RegisterWindowClass(*description)->atom;
}

HWND WINAPI CreateWindowExW(DWORD exStyle, LPCWSTR className, LPCWSTR windowName, DWORD style, int x, int y,
                            int width, int height, HWND parent, HMENU menu, HINSTANCE instance, LPVOID param) {
    const WindowClass* windowClass = FindWindowClass(className);
    if (!windowClass) return nullptr;
    Window* parentWindow = parent ? OwnOrForeignWindow(parent) : nullptr;
    if (parent && !parentWindow) return nullptr;
    if ((style & WS_CHILD) != 0 && !parentWindow) return nullptr;

    auto created = std::make_unique<Window>();
    created->windowClass = windowClass;
    created->procedure = windowClass->procedure;
    created->style = style & ~WS_VISIBLE;  // shown once WM_CREATE succeeded
    created->exStyle = exStyle;
    if ((style & WS_CHILD) != 0) created->parent = parent;
    else if (parentWindow) created->owner = TopLevelAncestor(*parentWindow).handle;
    created->rect = RECT{x, y, x + std::max(0, width), y + std::max(0, height)};
    if (windowName && !IS_INTRESOURCE(windowName)) created->text = windowName;
    if ((style & WS_CHILD) != 0) created->id = reinterpret_cast<UINT_PTR>(menu);
    if ((style & WS_CHILD) == 0) {
        created->sdlWindow = CreateSdlWindow(*created, windowName);
        if (!created->sdlWindow) return nullptr;
    }
    const RECT client = ClientRectInWindow(*created);
    created->canvas.Resize(client.right, client.bottom);

    const HWND handle = AddWindow(std::move(created)).handle;
    AddLiveWindow(handle);
    LearnCursorPosition();

    CREATESTRUCTW creation{param, instance, menu, parent, height, width, y, x, static_cast<LONG>(style),
                           windowName, className, exStyle};
    const LPARAM creationParam = reinterpret_cast<LPARAM>(&creation);
    if (!SendMessageW(handle, WM_NCCREATE, 0, creationParam)) {
        SendFinalDestroy(handle);
        return nullptr;
    }
    if (SendMessageW(handle, WM_CREATE, 0, creationParam) == -1) {
        DestroyWindow(handle);
        return nullptr;
    }
    if (Window* window = LookUpWindow(handle); window && (style & WS_VISIBLE) != 0) Show(*window, true);
    return IsWindow(handle) ? handle : nullptr;
}

BOOL WINAPI DestroyWindow(HWND handle) {
    Window* window = LookUpWindow(handle);
    if (!window || window->destroying) return FALSE;
    for (HWND owned : OwnedWindows(handle)) DestroyWindow(owned);
    window = LookUpWindow(handle);
    if (!window || window->destroying) return TRUE;
    MarkDestroying(*window);
    Show(*window, false);
    SendDestroy(handle);
    SendFinalDestroy(handle);
    return TRUE;
}

BOOL WINAPI IsWindow(HWND handle) {
    return OwnOrForeignWindow(handle) ? TRUE : FALSE;
}

BOOL WINAPI ShowWindow(HWND handle, int command) {
    Window* window = LookUpWindow(handle);
    if (!window) return FALSE;
    const bool wasVisible = window->IsVisible();
    Show(*window, command != SW_HIDE);
    return wasVisible ? TRUE : FALSE;
}

BOOL WINAPI SetWindowPos(HWND handle, HWND insertAfter, int x, int y, int width, int height, UINT flags) {
    Window* window = LookUpWindow(handle);
    if (!window) return FALSE;
    RECT& rect = window->rect;
    const LONG oldWidth = rect.right - rect.left;
    const LONG oldHeight = rect.bottom - rect.top;
    if ((flags & SWP_NOMOVE) == 0) rect = RECT{x, y, x + oldWidth, y + oldHeight};
    if ((flags & SWP_NOSIZE) == 0) {
        rect.right = rect.left + std::max(0, width);
        rect.bottom = rect.top + std::max(0, height);
    }
    if ((flags & (SWP_NOMOVE | SWP_NOSIZE)) != (SWP_NOMOVE | SWP_NOSIZE)) {
        ApplyPlacement(*window);
        if (rect.right - rect.left != oldWidth || rect.bottom - rect.top != oldHeight) InvalidateTree(*window);
    }
    if ((flags & SWP_NOZORDER) == 0 && (insertAfter == HWND_TOPMOST || insertAfter == HWND_NOTOPMOST)) {
        const bool topmost = insertAfter == HWND_TOPMOST;
        window->exStyle = topmost ? window->exStyle | WS_EX_TOPMOST : window->exStyle & ~WS_EX_TOPMOST;
        if (window->sdlWindow) SDL_SetWindowAlwaysOnTop(window->sdlWindow.get(), topmost ? SDL_TRUE : SDL_FALSE);
    }
    if ((flags & SWP_SHOWWINDOW) != 0) Show(*window, true);
    if ((flags & SWP_HIDEWINDOW) != 0) Show(*window, false);
    if ((flags & SWP_NOACTIVATE) == 0 && window->sdlWindow && window->IsVisible())
        SDL_RaiseWindow(window->sdlWindow.get());
    return TRUE;
}

BOOL WINAPI AdjustWindowRect(LPRECT rect, DWORD style, BOOL menu) {
    if (!rect) return FALSE;
    constexpr LONG kMenuBar = 20;
    const RECT insets = FrameInsets(style);
    rect->left -= insets.left;
    rect->top -= insets.top + (menu ? kMenuBar : 0);
    rect->right += insets.right;
    rect->bottom += insets.bottom;
    return TRUE;
}

BOOL WINAPI GetClientRect(HWND handle, LPRECT rect) {
    const Window* window = OwnOrForeignWindow(handle);
    if (!window || !rect) return FALSE;
    *rect = ClientRectInWindow(*window);
    return TRUE;
}

BOOL WINAPI GetWindowRect(HWND handle, LPRECT rect) {
    const Window* window = OwnOrForeignWindow(handle);
    if (!window || !rect) return FALSE;
    *rect = window->rect;
    if (const Window* parent = window->IsChild() ? LookUpWindow(window->parent) : nullptr) {
        const POINT origin = ClientOriginOnScreen(*parent);
        *rect = RECT{rect->left + origin.x, rect->top + origin.y, rect->right + origin.x, rect->bottom + origin.y};
    }
    return TRUE;
}

BOOL WINAPI ScreenToClient(HWND handle, LPPOINT point) {
    const Window* window = LookUpWindow(handle);
    if (!window || !point) return FALSE;
    const POINT origin = ClientOriginOnScreen(*window);
    point->x -= origin.x;
    point->y -= origin.y;
    return TRUE;
}

BOOL WINAPI ClientToScreen(HWND handle, LPPOINT point) {
    const Window* window = LookUpWindow(handle);
    if (!window || !point) return FALSE;
    const POINT origin = ClientOriginOnScreen(*window);
    point->x += origin.x;
    point->y += origin.y;
    return TRUE;
}

LONG_PTR WINAPI GetWindowLongPtrW(HWND handle, int index) {
    const Window* window = LookUpWindow(handle);
    return window && index == GWLP_USERDATA ? window->userData : 0;
}

LONG_PTR WINAPI SetWindowLongPtrW(HWND handle, int index, LONG_PTR value) {
    Window* window = LookUpWindow(handle);
    if (!window || index != GWLP_USERDATA) return 0;
    return std::exchange(window->userData, value);
}

}  // extern "C"
