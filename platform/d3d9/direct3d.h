// IDirect3D9: the adapters of the display layout at creation, what each
// device kind offers on them, and device creation.
#pragma once

#include <vector>

#include <d3d9.h>

#include "com/com_object.h"
#include "d3d9/adapters.h"

namespace platform::d3d9 {

class Direct3D final : public ComObject<Implements<IDirect3D9, IID_IDirect3D9>> {
public:
    Direct3D();

    STDMETHODIMP_(UINT) GetAdapterCount() override;
    STDMETHODIMP GetAdapterIdentifier(UINT adapter, DWORD flags, D3DADAPTER_IDENTIFIER9* identifier) override;
    STDMETHODIMP_(UINT) GetAdapterModeCount(UINT adapter, D3DFORMAT format) override;
    STDMETHODIMP EnumAdapterModes(UINT adapter, D3DFORMAT format, UINT mode, D3DDISPLAYMODE* displayMode) override;
    STDMETHODIMP GetAdapterDisplayMode(UINT adapter, D3DDISPLAYMODE* displayMode) override;
    STDMETHODIMP CheckDeviceType(UINT adapter, D3DDEVTYPE deviceType, D3DFORMAT adapterFormat,
                                 D3DFORMAT backBufferFormat, BOOL windowed) override;
    STDMETHODIMP CheckDeviceFormat(UINT adapter, D3DDEVTYPE deviceType, D3DFORMAT adapterFormat, DWORD usage,
                                   D3DRESOURCETYPE resourceType, D3DFORMAT checkFormat) override;
    STDMETHODIMP CheckDeviceMultiSampleType(UINT adapter, D3DDEVTYPE deviceType, D3DFORMAT surfaceFormat,
                                            BOOL windowed, D3DMULTISAMPLE_TYPE multiSampleType,
                                            DWORD* qualityLevels) override;
    STDMETHODIMP CheckDepthStencilMatch(UINT adapter, D3DDEVTYPE deviceType, D3DFORMAT adapterFormat,
                                        D3DFORMAT renderTargetFormat, D3DFORMAT depthStencilFormat) override;
    STDMETHODIMP GetDeviceCaps(UINT adapter, D3DDEVTYPE deviceType, D3DCAPS9* caps) override;
    STDMETHODIMP_(HMONITOR) GetAdapterMonitor(UINT adapter) override;
    STDMETHODIMP CreateDevice(UINT adapter, D3DDEVTYPE deviceType, HWND focusWindow, DWORD behaviorFlags,
                              D3DPRESENT_PARAMETERS* presentationParameters,
                              IDirect3DDevice9** returnedDevice) override;

private:
    const Adapter* Find(UINT adapter) const;
    // D3D_OK when the adapter exists and offers the device kind.
    HRESULT CheckKind(UINT adapter, D3DDEVTYPE deviceType) const;

    std::vector<Adapter> adapters_;
};

}  // namespace platform::d3d9
