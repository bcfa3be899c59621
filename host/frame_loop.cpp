// The frame loop: messages first, then one frame over every screen unit
// (or a step of the error box), with device loss and reset.
#include "host/d3d_screensaver.h"
#include "host/host_errors.h"

HRESULT CD3DScreensaver::RunSaverLoop() {
    clock_.Start();

    if (!errorMode_) {
        const HRESULT result = PrepareScene();
        if (FAILED(result)) return result;  // the run step shows it
        CreateScreenUnits();
    }

    if (mode_ == kModeFullScreen) SystemParametersInfoW(SPI_SETSCREENSAVERRUNNING, TRUE, nullptr, 0);

    MSG message{};
    while (message.message != WM_QUIT) {
        if (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        } else {
            Sleep(30);
            if (errorMode_)
                AnimateErrorBox();
            else
                DrawAllScreens();
        }
    }
    return S_OK;
}

void CD3DScreensaver::DrawAllScreens() {
    time_ = clock_.Time();
    elapsedTime_ = clock_.Elapsed();

    StepFrame();

    for (int i = 0; i < unitCount_; ++i) {
        MakeUnitCurrent(i);
        ScreenUnit& unit = units_[i];
        if (!unit.device) continue;
        const HRESULT cooperation = unit.device->TestCooperativeLevel();
        if (cooperation == D3DERR_DEVICELOST) return;  // nothing presents this frame
        // A unit whose reset failed has no device objects left to draw with.
        if (cooperation == D3DERR_DEVICENOTRESET && !ResetDevice(unit)) continue;
        DrawFrame();
    }

    for (int i = 0; i < unitCount_; ++i) {
        MakeUnitCurrent(i);
        if (units_[i].device) units_[i].device->Present(nullptr, nullptr, nullptr, nullptr);
    }
}

bool CD3DScreensaver::ResetDevice(ScreenUnit& unit) {
    if (windowed_) d3d_->GetAdapterDisplayMode(unit.adapterIndex, &adapters_[unit.adapterIndex]->desktopMode);
    if (unit.deviceObjectsActive) {
        DeactivateDevice();
        unit.deviceObjectsActive = false;
    }
    if (FAILED(unit.device->Reset(&unit.presentParameters)) || FAILED(ActivateDevice())) {
        EnterErrorMode(kErrorResetFailed);
        return false;
    }
    unit.deviceObjectsActive = true;
    return true;
}

void CD3DScreensaver::MakeUnitCurrent(int index) {
    ScreenUnit& unit = units_[index];
    device_ = unit.device.Get();
    if (mode_ == kModeFullScreen) renderRect_ = monitors_[unit.monitorIndex].rect;
    if (device_ != nullptr) {
        IDirect3DSurface9* backBuffer = nullptr;
        if (SUCCEEDED(device_->GetBackBuffer(0, 0, D3DBACKBUFFER_TYPE_MONO, &backBuffer))) {
            backBuffer->GetDesc(&backBufferDesc_);
            backBuffer->Release();
        }
    }
    SelectScreenUnit(index);
}

void CD3DScreensaver::ReleaseScreenUnits() {
    for (int i = 0; i < unitCount_; ++i) {
        MakeUnitCurrent(i);
        ScreenUnit& unit = units_[i];
        if (unit.deviceObjectsActive) {
            DeactivateDevice();
            unit.deviceObjectsActive = false;
        }
        if (unit.deviceObjectsCreated) {
            DetachDevice();
            unit.deviceObjectsCreated = false;
        }
        unit.device.Reset();
    }
    device_ = nullptr;
    unitCount_ = 0;
    d3d_.Reset();
}
