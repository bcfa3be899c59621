// Error mode: the message of the stored error, in a message box or in a
// box that drifts across every monitor window.
#include <windows.h>
#include <mmsystem.h>

#include <cmath>
#include <iterator>

#include "host/d3d_screensaver.h"
#include "host/host_errors.h"

namespace {

constexpr UINT kUnspecifiedProblemText = 2100;
constexpr LONG kBoxWidth = 300;
constexpr LONG kBoxHeight = 150;

UINT ErrorTextId(HRESULT code) {
    switch (code) {
        case kErrorNoDirect3D: return 2101;
        case kErrorInitFailed: return 2102;
        case kErrorNoDevice: return 2103;
        case kErrorNoCompatibleDevices: return 2104;
        case kErrorNoHardwareDevice: return 2105;
        case kErrorHardwareLacksFeatures: return 2106;
        case kErrorDesktopLacksFeatures: return 2107;
        case kErrorMediaNotLoaded: return 2108;
        case kErrorResetFailed: return 2109;
        case E_OUTOFMEMORY: return 2110;
        case D3DERR_OUTOFVIDEOMEMORY: return 2111;
        case kErrorNoPreview: return 2112;
        default: return kUnspecifiedProblemText;
    }
}

RECT BoxRect(const ErrorBoxState& box) {
    return RECT{static_cast<LONG>(box.x), static_cast<LONG>(box.y), static_cast<LONG>(box.x + box.width),
                static_cast<LONG>(box.y + box.height)};
}

// One coordinate of the box over a step of dt seconds: the velocity turns
// when the step would carry the box past the edge ahead. A step so long
// that the turned box would still pass an edge (frames far apart) has what
// lies beyond the edge reflected back, as often as it takes, so the box
// stays between the edges. A box larger than the area stays centred on it.
void MoveBetweenEdges(float& position, float& velocity, float size, float low, float high, float dt) {
    if ((velocity > 0 && position + velocity * dt + size > high) || (velocity < 0 && position + velocity * dt < low))
        velocity = -velocity;
    position += velocity * dt;
    const float room = high - size - low;
    if (room <= 0) {
        position = low + room / 2;
        return;
    }
    if (position >= low && position <= low + room) return;
    const float period = 2 * room;
    float travelled = std::fmod(position - low, period);
    if (travelled < 0) travelled += period;
    if (travelled <= room) {
        position = low + travelled;
    } else {
        position = low + period - travelled;
        velocity = -velocity;
    }
}

RECT ScreenToClientRect(HWND window, RECT rect) {
    POINT topLeft{rect.left, rect.top};
    POINT bottomRight{rect.right, rect.bottom};
    ScreenToClient(window, &topLeft);
    ScreenToClient(window, &bottomRight);
    return RECT{topLeft.x, topLeft.y, bottomRight.x, bottomRight.y};
}

}  // namespace

void CD3DScreensaver::EnterErrorMode(HRESULT code) {
    errorMode_ = true;
    errorCode_ = code;
}

bool CD3DScreensaver::LookUpErrorText(HRESULT code, WCHAR* buffer, int capacity) {
    const UINT id = ErrorTextId(code);
    LoadStringW(instance_, id, buffer, capacity);
    return id != kUnspecifiedProblemText;
}

HRESULT CD3DScreensaver::ShowErrorMessage(HRESULT code) {
    WCHAR text[512]{};
    LookUpErrorText(code, text, static_cast<int>(std::size(text)));
    MessageBoxW(mode_ == kModeSettings ? nullptr : mainWindow_, text, title_, MB_ICONERROR);
    return code;
}

MonitorRecord* CD3DScreensaver::MonitorRecordOfWindow(HWND window) {
    // The preview and test window live in record 0, whatever monitor they are on.
    if (mode_ == kModePreview || mode_ == kModeTest) {
        for (MonitorRecord& monitor : monitors_) {
            if (monitor.window == window) return &monitor;
        }
        return nullptr;
    }
    const HMONITOR handle = MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST);
    for (int i = 0; i < monitorCount_; ++i) {
        if (monitors_[i].monitor == handle) return &monitors_[i];
    }
    return nullptr;
}

void CD3DScreensaver::AnimateErrorBox() {
    if (unitCount_ > 0) ReleaseScreenUnits();

    const DWORD now = timeGetTime();
    const float dt = previousBoxTime_ == 0 ? 0.0f : static_cast<float>(now - previousBoxTime_) / 1000.0f;
    previousBoxTime_ = now;

    if (errorText_[0] == L'\0') LookUpErrorText(errorCode_, errorText_, static_cast<int>(std::size(errorText_)));

    for (int i = 0; i < monitorCount_; ++i) {
        MonitorRecord& monitor = monitors_[i];
        if (monitor.window == nullptr) continue;
        const RECT area =
            mode_ == kModeFullScreen ? ScreenToClientRect(monitor.window, monitor.rect) : clientRect_;
        const float areaWidth = static_cast<float>(area.right - area.left);
        const float areaHeight = static_cast<float>(area.bottom - area.top);
        ErrorBoxState& box = monitor.box;

        if (box.width == 0) {
            if (mode_ == kModePreview) {
                box = ErrorBoxState{0, 0, areaWidth, areaHeight, 0, 0};
                InvalidateRect(monitor.window, nullptr, FALSE);
                UpdateWindow(monitor.window);
            } else {
                box = ErrorBoxState{static_cast<float>((area.left + area.right - kBoxWidth) / 2),
                                    static_cast<float>((area.top + area.bottom - kBoxHeight) / 2),
                                    static_cast<float>(kBoxWidth),
                                    static_cast<float>(kBoxHeight),
                                    areaWidth / 10,
                                    areaHeight / 20};
            }
            continue;
        }
        if (mode_ == kModePreview) continue;

        const RECT oldRect = BoxRect(box);
        MoveBetweenEdges(box.x, box.xVelocity, box.width, static_cast<float>(area.left),
                         static_cast<float>(area.right), dt);
        MoveBetweenEdges(box.y, box.yVelocity, box.height, static_cast<float>(area.top),
                         static_cast<float>(area.bottom), dt);

        const RECT newRect = BoxRect(box);
        if (newRect.left != oldRect.left || newRect.top != oldRect.top) {
            InvalidateRect(monitor.window, &oldRect, FALSE);
            InvalidateRect(monitor.window, &newRect, FALSE);
            UpdateWindow(monitor.window);
        }
    }
}

void CD3DScreensaver::PaintWindow(HWND window, HDC dc) {
    const MonitorRecord* monitor = MonitorRecordOfWindow(window);
    if (monitor == nullptr) return;

    RECT box = BoxRect(monitor->box);
    FillRect(dc, &box, GetSysColorBrush(COLOR_WINDOW));
    FrameRect(dc, &box, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));

    RECT textRect = box;
    DrawTextW(dc, errorText_, -1, &textRect, DT_CALCRECT | DT_WORDBREAK | DT_CENTER);
    const LONG textHeight = textRect.bottom - textRect.top;
    textRect = box;
    textRect.top += ((box.bottom - box.top) - textHeight) / 2;
    DrawTextW(dc, errorText_, -1, &textRect, DT_WORDBREAK | DT_CENTER);

    ExcludeClipRect(dc, box.left, box.top, box.right, box.bottom);
    RECT rest{};
    if (mode_ == kModeFullScreen)
        rest = ScreenToClientRect(window, monitor->rect);
    else
        GetClientRect(window, &rest);  // record 0's monitor need not be the window's
    FillRect(dc, &rest, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
}
