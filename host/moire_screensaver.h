// The application: the framework with this screensaver's device test and
// settings.
#pragma once

#include "host/d3d_screensaver.h"

class CMoireScreensaver : public CD3DScreensaver {
public:
    CMoireScreensaver();

    void LoadSettings() override;
    void ShowSettingsDialog() override;
    INT_PTR SoundDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) override;
    INT_PTR SettingsDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
    HRESULT AcceptDevice(const D3DCAPS9& caps, DWORD behavior, D3DFORMAT backBufferFormat) override;

protected:
    // The sound dialog's copy of the sound values.
    DWORD soundVolume_ = 100;
    DWORD muteSound_ = 0;
};

extern CMoireScreensaver* g_app;
