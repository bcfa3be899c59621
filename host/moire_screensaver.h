// The application: the framework with this screensaver's device test and
// settings.
#pragma once

#include "host/d3d_screensaver.h"

class CMoireScreensaver : public CD3DScreensaver {
public:
    CMoireScreensaver();

    void LoadSettings() override;
    HRESULT AcceptDevice(const D3DCAPS9& caps, DWORD behavior, D3DFORMAT backBufferFormat) override;
};

extern CMoireScreensaver* g_app;
