// The host on the simulated machine: a registry file of its own, the
// controlled clock, described monitors and adapters, and an application
// whose hooks are recorded.
#pragma once

#include <algorithm>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include <windows.h>

#include <platform/sim_clock.h>
#include <platform/sim_d3d.h>
#include <platform/sim_display.h>

#include "host/moire_screensaver.h"

namespace host_test {

// The application with its state in reach; every hook it is given is
// written to `calls` as "<hook> <unit>".
class TestSaver : public CMoireScreensaver {
public:
    using CD3DScreensaver::AnimateErrorBox;
    using CD3DScreensaver::ChooseDepthStencilFormat;
    using CD3DScreensaver::CreateScreenUnits;
    using CD3DScreensaver::DrawAllScreens;
    using CD3DScreensaver::EnterErrorMode;
    using CD3DScreensaver::ListMonitors;
    using CD3DScreensaver::StartInMode;
    using CD3DScreensaver::adapterCount_;
    using CD3DScreensaver::adapters_;
    using CD3DScreensaver::d3d_;
    using CD3DScreensaver::errorCode_;
    using CD3DScreensaver::errorMode_;
    using CD3DScreensaver::mainWindow_;
    using CD3DScreensaver::monitorCount_;
    using CD3DScreensaver::monitors_;
    using CD3DScreensaver::mouseMoveCount_;
    using CD3DScreensaver::time_;
    using CD3DScreensaver::unitCount_;
    using CD3DScreensaver::units_;

    HRESULT RunLoop() { return RunSaverLoop(); }

    using CD3DScreensaver::ShowDisplaySettingsDialog;

    void SelectScreenUnit(int index) override { currentUnit = index; }
    HRESULT AcceptDevice(const D3DCAPS9& caps, DWORD behavior, D3DFORMAT backBufferFormat) override;
    HRESULT AttachDevice() override;
    HRESULT ActivateDevice() override;
    HRESULT DeactivateDevice() override;
    HRESULT DrawFrame() override;
    HRESULT DisposeScene() override;
    void PaintWindow(HWND window, HDC dc) override;
    LRESULT HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) override;

    std::vector<std::string> calls;
    int currentUnit = -1;
    int framesDrawn = 0;
    int scenesDisposed = 0;
    std::vector<float> drawTimes;
    // Device kinds the capability test refuses on one adapter, on top of
    // the application's own test.
    UINT refusingAdapter = 0;
    std::vector<D3DDEVTYPE> refusedDeviceTypes;
    // Hooks that fail, named as in `calls`.
    std::vector<std::string> failing;
    // Runs after every DrawFrame with the number of frames drawn so far.
    std::function<void(TestSaver&)> afterDraw;
    std::function<void(TestSaver&)> afterPaint;
    // Runs before the host handles each message its windows get.
    std::function<void(TestSaver&, HWND, UINT)> beforeMessage;
    // Whether the Direct3D object existed, at each WM_TIMER.
    std::vector<bool> direct3DAtTimer;

private:
    // Writes "<hook> <unit>" to `calls`; E_FAIL when it is in `failing`.
    HRESULT Record(const char* hook);
};

class HostTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // One attached display device at rect; the first listed is primary unless told.
    static platform::DisplayDeviceDescription Display(RECT rect, bool primary = false);
    static void UseDisplays(std::vector<platform::DisplayDeviceDescription> displays);
    static D3DDISPLAYMODE Mode(UINT width, UINT height, D3DFORMAT format = D3DFMT_X8R8G8B8);

    // A plain top-level window standing in for the display control panel.
    static HWND CreateParentWindow(int width, int height);

    // A fresh application started in the mode.
    std::unique_ptr<TestSaver> Start(SaverMode mode, HWND parent = nullptr);

    // "Screen 1" saved on an adapter this machine does not have, with
    // "Leave Black" and every other screen value set.
    static void StoreScreenOfAnotherAdapter();
    static constexpr GUID kOtherAdapterId = {0x12345678, 0x1234, 0x5678, {1, 2, 3, 4, 5, 6, 7, 8}};

    platform::sim::ControlledClock clock_;
    std::string registryFile_;
};

}  // namespace host_test
