// The host windows' messages, and the two ways the saver ends: user input
// and the destruction of its window.
#include <windowsx.h>

#include "host/d3d_screensaver.h"
#include "sound/soundtrack.h"

namespace {

constexpr UINT kSoundtrackEventMessage = 0x8000;
constexpr UINT_PTR kPreviewTimer = 1;
constexpr UINT kPreviewWaitMilliseconds = 500;
constexpr UINT kMouseMovesBeforeEnding = 5;

}  // namespace

LRESULT CALLBACK HostWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (g_saver == nullptr) return DefWindowProcW(window, message, wParam, lParam);
    try {
        return g_saver->HandleMessage(window, message, wParam, lParam);
    } catch (...) {
        return 1;
    }
}

LRESULT CD3DScreensaver::HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_DESTROY:
            if (mode_ == kModePreview || mode_ == kModeTest) EndSaver();
            break;
        case WM_PAINT: {
            PAINTSTRUCT paint{};
            HDC dc = BeginPaint(window, &paint);
            if (errorMode_ || mode_ != kModePreview) {
                PaintWindow(window, dc);
            } else {
                RECT client{};
                GetClientRect(window, &client);
                FillRect(dc, &client, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
            }
            EndPaint(window, &paint);
            return 0;
        }
        case WM_ACTIVATEAPP:
            if (wParam == 0 && mode_ != kModeTest) StopOnUserInput();
            break;
        case WM_KEYDOWN:
        case WM_LBUTTONDOWN:
        case WM_RBUTTONDOWN:
        case WM_MBUTTONDOWN:
            if (mode_ != kModeTest) StopOnUserInput();
            break;
        case WM_MOUSEMOVE:
            if (mode_ != kModeTest) {
                const POINT position{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
                if (position.x != lastMousePosition_.x || position.y != lastMousePosition_.y) {
                    ++mouseMoveCount_;
                    lastMousePosition_ = position;
                }
                if (mouseMoveCount_ > kMouseMovesBeforeEnding) StopOnUserInput();
            }
            break;
        case WM_SETCURSOR:
            if (mode_ == kModeFullScreen) {
                SetCursor(nullptr);
                return 1;
            }
            break;
        case WM_ERASEBKGND:
            return 1;
        case WM_SYSCOMMAND:
            if (mode_ == kModeFullScreen) {
                switch (wParam) {
                    case SC_NEXTWINDOW:
                    case SC_PREVWINDOW:
                    case SC_CLOSE:
                    case SC_SCREENSAVE:
                        return 0;
                }
            }
            break;
        case WM_TIMER:
            previewWaiting_ = false;
            KillTimer(window, kPreviewTimer);
            break;
        case WM_POWERBROADCAST:
            if (wParam == PBT_APMSUSPEND) StopOnUserInput();
            break;
        case WM_USER:
            SetTimer(window, kPreviewTimer, kPreviewWaitMilliseconds, nullptr);
            break;
        case kSoundtrackEventMessage:
            HandleSoundEvent(PollSoundtrackEvent());
            break;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

void CD3DScreensaver::StopOnUserInput() {
    // The preview ignores input.
    if (mode_ != kModeFullScreen && mode_ != kModeTest) return;
    EndSaver();
}

// Input queued behind the message that ended the saver arrives before the
// quit message; it must not release everything a second time.
void CD3DScreensaver::EndSaver() {
    if (ended_) return;
    ended_ = true;
    if (mode_ == kModeFullScreen) SystemParametersInfoW(SPI_SETSCREENSAVERRUNNING, FALSE, nullptr, 0);
    ReleaseScreenUnits();
    DisposeScene();
    PostQuitMessage(0);
}
