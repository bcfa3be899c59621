// The framework object, its create step and its run step.
#include "host/d3d_screensaver.h"

#include <iterator>

#include "host/host_errors.h"
#include "sound/soundtrack.h"

CD3DScreensaver* g_saver = nullptr;

CD3DScreensaver::CD3DScreensaver() : instance_(GetModuleHandleW(nullptr)) {
    g_saver = this;
    lstrcpynW(title_, L"Screen Saver", static_cast<int>(std::size(title_)));
}

CD3DScreensaver::~CD3DScreensaver() {
    // Windows still open when the object goes belong to a run that ended;
    // their WM_DESTROY must not end it again.
    ended_ = true;
    for (int i = kMaxMonitors - 1; i >= 0; --i) {
        if (monitors_[i].window != nullptr && IsWindow(monitors_[i].window)) DestroyWindow(monitors_[i].window);
    }
    if (mainWindow_ != nullptr && IsWindow(mainWindow_)) DestroyWindow(mainWindow_);
    if (g_saver == this) g_saver = nullptr;
}

HRESULT CD3DScreensaver::Startup(HINSTANCE instance) {
    SetThreadPriority(GetCurrentThread(), THREAD_PRIORITY_IDLE);
    instance_ = instance;
    return StartInMode(ReadRunMode(GetCommandLineW()));
}

HRESULT CD3DScreensaver::StartInMode(const RunModeRequest& request) {
    mode_ = request.mode;
    parentWindow_ = request.parent;

    ListMonitors();

    if (mode_ == kModePreview || mode_ == kModeFullScreen || mode_ == kModeTest) {
        const HRESULT result = CreateHostWindows();
        if (FAILED(result)) EnterErrorMode(result);
    }

    // Waiting only makes sense with a preview window to receive the timer.
    if (mode_ == kModePreview && mainWindow_ != nullptr) {
        previewWaiting_ = true;
        PostMessageW(mainWindow_, WM_USER, 0, 0);
        MSG message{};
        while (previewWaiting_) {
            // 0 is the quit message, kept for the frame loop; -1 means the
            // window is gone and no timer will ever arrive.
            const BOOL got = GetMessageW(&message, mainWindow_, 0, 0);
            if (got == 0) PostQuitMessage(0);
            if (got == 0 || got == -1) break;
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
    }

    d3d_.Reset(Direct3DCreate9(D3D_SDK_VERSION));
    if (!d3d_) {
        EnterErrorMode(kErrorNoDirect3D);
        return S_OK;
    }

    HRESULT result = PrepareDeviceEnumeration();
    if (SUCCEEDED(result)) result = CollectAdapters();
    if (FAILED(result)) {
        EnterErrorMode(result);
        return S_OK;
    }

    bool anyUsable = false;
    for (UINT a = 0; a < adapterCount_; ++a) {
        if (adapters_[a] && (adapters_[a]->hardwareUsable || adapters_[a]->softwareUsable)) anyUsable = true;
    }
    if (!anyUsable) {
        EnterErrorMode(kErrorNoCompatibleDevices);
        return S_OK;
    }

    LoadSettings();

    if (mode_ == kModeFullScreen || mode_ == kModeTest) InitSoundtrackGraph(mainWindow_);
    return S_OK;
}

int CD3DScreensaver::RunMode() {
    switch (mode_) {
        case kModeSettings:
            if (errorMode_)
                ShowErrorMessage(errorCode_);
            else
                ShowSettingsDialog();
            break;
        case kModePreview:
        case kModeFullScreen:
        case kModeTest: {
            // A preview without a window has nowhere to show anything and
            // nothing that could end it.
            if (mainWindow_ == nullptr) break;
            const HRESULT result = RunSaverLoop();
            if (FAILED(result)) ShowErrorMessage(result);
            break;
        }
        case kModePassword:
            if (HMODULE library = LoadLibraryW(L"MPR.DLL")) {
                using ChangePassword = DWORD(WINAPI*)(LPCSTR, HWND, DWORD, DWORD);
                if (FARPROC export_ = GetProcAddress(library, "PwdChangePasswordA"))
                    reinterpret_cast<ChangePassword>(reinterpret_cast<void*>(export_))("SCRSAVE", parentWindow_, 0, 0);
                FreeLibrary(library);
            }
            break;
        case kModeEndAtOnce:
        case kModeShowNothing:
            break;
    }
    for (auto& adapter : adapters_) adapter.reset();
    adapterCount_ = 0;
    d3d_.Reset();
    // However the run ended, the music graph goes with it.
    ReleaseSoundtrackGraph();
    return 0;
}
