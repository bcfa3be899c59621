// The windows the saver draws in: the preview's child window, one topmost
// pop-up per monitor, or the test window.
#include "host/d3d_screensaver.h"

namespace {

constexpr const WCHAR* kWindowClassName = L"D3DSaverWndClass";

void RegisterHostWindowClass(HINSTANCE instance) {
    WNDCLASSW windowClass{};
    windowClass.style = CS_HREDRAW | CS_VREDRAW;
    windowClass.lpfnWndProc = HostWindowProc;
    windowClass.hInstance = instance;
    windowClass.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(101));
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
    windowClass.lpszClassName = kWindowClassName;
    RegisterClassW(&windowClass);
}

}  // namespace

HRESULT CD3DScreensaver::CreateHostWindows() {
    RegisterHostWindowClass(instance_);

    if (mode_ == kModePreview) {
        RECT rect{};
        if (parentWindow_ != nullptr && GetClientRect(parentWindow_, &rect)) {
            const DWORD style = WS_CHILD | WS_VISIBLE;
            AdjustWindowRect(&rect, style, FALSE);
            mainWindow_ = CreateWindowW(kWindowClassName, title_, style, rect.left, rect.top,
                                        rect.right - rect.left, rect.bottom - rect.top, parentWindow_, nullptr,
                                        instance_, this);
        }
    } else if (mode_ == kModeFullScreen) {
        for (int i = 0; i < monitorCount_; ++i) {
            MonitorRecord& monitor = monitors_[i];
            if (monitor.monitor == nullptr) continue;
            const RECT& rect = monitor.rect;
            monitor.window = CreateWindowExW(WS_EX_TOPMOST, kWindowClassName, title_, WS_POPUP | WS_VISIBLE,
                                             rect.left, rect.top, rect.right - rect.left,
                                             rect.bottom - rect.top, mainWindow_, nullptr, instance_, this);
            if (monitor.window == nullptr) return E_FAIL;
            if (mainWindow_ == nullptr) mainWindow_ = monitor.window;
        }
    } else {
        RECT rect{50, 50, 650, 450};
        const DWORD style = WS_VISIBLE | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
        AdjustWindowRect(&rect, style, FALSE);
        mainWindow_ = CreateWindowW(kWindowClassName, title_, style, rect.left, rect.top,
                                    rect.right - rect.left, rect.bottom - rect.top, nullptr, nullptr, instance_,
                                    this);
    }

    if (mainWindow_ == nullptr) return E_FAIL;
    if (mode_ != kModeFullScreen) {
        monitors_[0].window = mainWindow_;
        GetClientRect(mainWindow_, &clientRect_);
        renderRect_ = clientRect_;
    }
    return S_OK;
}
