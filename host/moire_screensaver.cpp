#include "host/moire_screensaver.h"

#include <windows.h>
#include <commctrl.h>

#include <iterator>

#include "host/host_errors.h"
#include "host/registry_key.h"
#include "host/settings_values.h"
#include "scene/render/current_device.h"
#include "sound/direct_sound.h"
#include "sound/soundtrack.h"

namespace {

constexpr UINT kTitleText = 1000;

}  // namespace

CMoireScreensaver* g_app = nullptr;

CMoireScreensaver::CMoireScreensaver() {
    g_app = this;
    InitCommonControls();
    settingsKeyPath_ = kSettingsKeyPath;
    g_settingsKeyPath = kSettingsKeyPath;
    ForgetPicturePosition();
    LoadStringW(instance_, kTitleText, title_, static_cast<int>(std::size(title_)));
    useDepthBuffer_ = true;
}

// The process-wide values must not outlive the scenes they point into.
CMoireScreensaver::~CMoireScreensaver() {
    for (const ScreenScene& scene : scenes_) {
        if (g_currentDocResManager == scene.manager.get()) g_currentDocResManager = nullptr;
        if (g_currentRenderContext == &scene.view) MakeRenderContextCurrent(nullptr);
    }
    g_currentDevice = nullptr;
}

void CMoireScreensaver::LoadSettings() {
    RegistryKey key(HKEY_CURRENT_USER, settingsKeyPath_.c_str());
    if (key.Get() != nullptr) LoadScreenSettings(key.Get());
}

// The scene needs bump-environment mapping and V8U8 textures.
HRESULT CMoireScreensaver::AcceptDevice(const D3DCAPS9& caps, DWORD, D3DFORMAT backBufferFormat) {
    if ((caps.TextureOpCaps & D3DTEXOPCAPS_BUMPENVMAP) == 0) return E_FAIL;
    if (FAILED(d3d_->CheckDeviceFormat(caps.AdapterOrdinal, caps.DeviceType, backBufferFormat, 0, D3DRTYPE_TEXTURE,
                                       D3DFMT_V8U8)))
        return E_FAIL;
    return S_OK;
}

void CMoireScreensaver::SelectScreenUnit(int index) {
    currentScene_ = &scenes_[index];
    g_currentDevice = device_;
    MakeRenderContextCurrent(&currentScene_->view);
    if (currentScene_->manager) g_currentDocResManager = currentScene_->manager.get();
}

// Also after every reset: the scene's device objects and states come back
// at once, not only when its slide is entered again.
HRESULT CMoireScreensaver::ActivateDevice() {
    try {
        InitDirectSound(mainWindow_);
    } catch (...) {
        EnterErrorMode(kErrorMediaNotLoaded);
    }
    if (currentScene_->root) currentScene_->root->RestoreDeviceObjects();
    return S_OK;
}

HRESULT CMoireScreensaver::DrawFrame() {
    ScreenScene& scene = *currentScene_;
    if (scene.running) {
        if (scene.root) scene.root->FrameMove(time_);
        scene.DrawShow();
    } else if (scene.splashShown) {
        try {
            scene.StartShow();
        } catch (DWORD) {
            EnterErrorMode(kErrorMediaNotLoaded);
        }
    } else {
        scene.DrawSplash();
    }
    return S_OK;
}

HRESULT CMoireScreensaver::DeactivateDevice() {
    if (g_primarySoundBuffer) {
        g_primarySoundBuffer->SetVolume(0);
        g_primarySoundBuffer->Stop();
    }
    if (g_soundtrackControl) g_soundtrackControl->Stop();
    ReleaseSoundtrackGraph();
    if (currentScene_->root) currentScene_->root->InvalidateDeviceObjects();
    return S_OK;
}

HRESULT CMoireScreensaver::DetachDevice() {
    currentScene_->ReleaseDevice();
    return S_OK;
}

void CMoireScreensaver::HandleSoundEvent(LONG code) { currentScene_->AdvanceSoundtrack(code); }
