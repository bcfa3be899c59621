// The application: the framework with this screensaver's device test,
// settings and one scene per screen unit.
#pragma once

#include "host/d3d_screensaver.h"
#include "host/screen_scene.h"

class CMoireScreensaver : public CD3DScreensaver {
public:
    CMoireScreensaver();
    ~CMoireScreensaver() override;

    void LoadSettings() override;
    void ShowSettingsDialog() override;
    INT_PTR SoundDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) override;
    INT_PTR SettingsDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
    // Publishes the unit's device, view, picture placement and, once it has
    // loaded its document, its resource manager.
    void SelectScreenUnit(int index) override;
    HRESULT AcceptDevice(const D3DCAPS9& caps, DWORD behavior, D3DFORMAT backBufferFormat) override;
    HRESULT ActivateDevice() override;
    // The splash, then the start of the show, then the show.
    HRESULT DrawFrame() override;
    HRESULT DeactivateDevice() override;
    // The device is really gone only once the scene holds none of its
    // resources: full screen, it would hide the error box.
    HRESULT DetachDevice() override;
    void HandleSoundEvent(LONG code) override;

protected:
    // The sound dialog's copy of the sound values.
    DWORD soundVolume_ = 100;
    DWORD muteSound_ = 0;

    static constexpr int kSceneCount = 10;
    ScreenScene scenes_[kSceneCount];
    ScreenScene* currentScene_ = &scenes_[0];
};

extern CMoireScreensaver* g_app;
