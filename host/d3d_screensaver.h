// The screensaver framework: run modes, host windows, monitors, adapters
// and devices, the frame loop, ending and the error box. The application
// derives from it and overrides the hooks it needs; the defaults succeed
// and do nothing.
#pragma once

#include <memory>
#include <vector>

#include <windows.h>
#include <d3d9.h>

#include "host/application_clock.h"
#include "host/host_records.h"
#include "host/run_mode.h"
#include "scene/model/com_holder.h"

class CD3DScreensaver {
public:
    CD3DScreensaver();
    CD3DScreensaver(const CD3DScreensaver&) = delete;
    CD3DScreensaver& operator=(const CD3DScreensaver&) = delete;

    virtual HRESULT Startup(HINSTANCE instance);
    virtual int RunMode();
    virtual void ShowSettingsDialog() {}
    virtual void LoadSettings() {}
    virtual void PaintWindow(HWND window, HDC dc);
    virtual LRESULT HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    virtual INT_PTR SoundDialogProc(HWND, UINT, WPARAM, LPARAM) { return 0; }
    virtual bool LookUpErrorText(HRESULT code, WCHAR* buffer, int capacity);
    virtual void SelectScreenUnit(int) {}
    virtual HRESULT PrepareDeviceEnumeration() { return S_OK; }
    virtual HRESULT AcceptDevice(const D3DCAPS9&, DWORD, D3DFORMAT) { return S_OK; }
    virtual HRESULT AcceptCreatedDevice(IDirect3DDevice9*) { return S_OK; }
    virtual HRESULT PrepareScene() { return S_OK; }
    virtual HRESULT AttachDevice() { return S_OK; }
    virtual HRESULT ActivateDevice() { return S_OK; }
    virtual HRESULT StepFrame() { return S_OK; }
    virtual HRESULT DrawFrame() { return S_OK; }
    virtual HRESULT DeactivateDevice() { return S_OK; }
    virtual HRESULT DetachDevice() { return S_OK; }
    virtual HRESULT DisposeScene() { return S_OK; }
    virtual void HandleSoundEvent(LONG) {}

    virtual ~CD3DScreensaver();

    // Shows the code's message in a message box; returns the code.
    HRESULT ShowErrorMessage(HRESULT code);

    // Display settings: dialog 200 for fewer than two adapters, else 201.
    void ShowDisplaySettingsDialog(HWND parent);
    INT_PTR DisplaySettingsProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

protected:
    // Start-up after the command line has been read; always S_OK, problems
    // put the host into error mode.
    HRESULT StartInMode(const RunModeRequest& request);
    HRESULT CreateHostWindows();
    void ListMonitors();
    HRESULT CollectAdapters();
    DWORD ChooseBehaviorFlags(const D3DCAPS9& caps, D3DFORMAT format);
    bool ChooseDepthStencilFormat(UINT adapter, D3DDEVTYPE kind, D3DFORMAT format, D3DFORMAT* chosen);
    void LoadScreenSettings(HKEY key);
    void SaveScreenSettings(HKEY key);
    void SaveDisplayMode(int monitorIndex, const AdapterRecord& adapter);
    void SaveSettings();
    void FillDisplayPage(HWND dialog, int monitorIndex);
    AdapterRecord* AdapterOfMonitor(int monitorIndex);

    // Devices.
    HRESULT CreateScreenUnits();
    int PickWindowedAdapter() const;
    HRESULT CreateFullScreenUnit(ScreenUnit& unit);
    HRESULT CreateWindowedUnit(ScreenUnit& unit);
    ScreenUnit& AddScreenUnit(UINT adapterIndex, int monitorIndex);
    void RemoveLastScreenUnit();

    // Frame loop and ending.
    HRESULT RunSaverLoop();
    void DrawAllScreens();
    void MakeUnitCurrent(int index);
    bool ResetDevice(ScreenUnit& unit);
    void StopOnUserInput();
    void EndSaver();
    void ReleaseScreenUnits();

    // Error mode.
    void EnterErrorMode(HRESULT code);
    void AnimateErrorBox();
    MonitorRecord* MonitorRecordOfWindow(HWND window);

    SaverMode mode_ = kModeSettings;
    HWND parentWindow_ = nullptr;
    HWND mainWindow_ = nullptr;
    HINSTANCE instance_ = nullptr;
    UINT mouseMoveCount_ = 0;
    POINT lastMousePosition_{-1, -1};
    bool previewWaiting_ = false;
    bool windowed_ = false;
    bool ended_ = false;

    bool errorMode_ = false;
    HRESULT errorCode_ = S_OK;
    WCHAR errorText_[400]{};
    DWORD previousBoxTime_ = 0;

    WCHAR title_[200]{};
    DWORD allScreensSame_ = 0;

    MonitorRecord monitors_[kMaxMonitors];
    int monitorCount_ = 0;
    ScreenUnit units_[kMaxScreenUnits];
    int unitCount_ = 0;
    std::unique_ptr<AdapterRecord> adapters_[kMaxAdapters];
    UINT adapterCount_ = 0;

    ComHolder<IDirect3D9> d3d_;
    IDirect3DDevice9* device_ = nullptr;  // the current unit's, not owned

    RECT clientRect_{};
    RECT renderRect_{};
    D3DSURFACE_DESC backBufferDesc_{};

    bool useDepthBuffer_ = false;
    DWORD minDepthBits_ = 16;
    DWORD minStencilBits_ = 0;
    D3DSWAPEFFECT fullScreenSwapEffect_ = D3DSWAPEFFECT_DISCARD;
    D3DSWAPEFFECT windowedSwapEffect_ = D3DSWAPEFFECT_COPY;

    ApplicationClock clock_;
    float time_ = 0;
    float elapsedTime_ = 0;

    std::wstring settingsKeyPath_;

    // What the display settings dialog restores on Cancel.
    std::vector<AdapterRecord> adapterCopies_;
    DWORD allScreensSameCopy_ = 0;
};

// The one host object; the window procedure reaches it through this.
extern CD3DScreensaver* g_saver;

INT_PTR CALLBACK DisplaySettingsDialogThunk(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK SoundDialogThunk(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

LRESULT CALLBACK HostWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
