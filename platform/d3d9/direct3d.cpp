#include "d3d9/direct3d.h"

#include <algorithm>

#include "d3d9/adapter_identifier.h"
#include "d3d9/device.h"
#include "d3d9/device_caps.h"
#include "d3d9/formats.h"
#include "d3d9/presentation_parameters.h"

namespace platform::d3d9 {
namespace {

constexpr DWORD kVertexProcessing =
    D3DCREATE_SOFTWARE_VERTEXPROCESSING | D3DCREATE_HARDWARE_VERTEXPROCESSING | D3DCREATE_MIXED_VERTEXPROCESSING;

// Exactly one kind of vertex processing, and only what the caps allow.
bool BehaviourFits(DWORD flags, const D3DCAPS9& caps) {
    const DWORD processing = flags & kVertexProcessing;
    if (processing != D3DCREATE_SOFTWARE_VERTEXPROCESSING && processing != D3DCREATE_HARDWARE_VERTEXPROCESSING &&
        processing != D3DCREATE_MIXED_VERTEXPROCESSING) {
        return false;
    }
    const bool hardwareTnl = (caps.DevCaps & D3DDEVCAPS_HWTRANSFORMANDLIGHT) != 0;
    if (processing != D3DCREATE_SOFTWARE_VERTEXPROCESSING && !hardwareTnl) return false;
    if (flags & D3DCREATE_PUREDEVICE) {
        return processing == D3DCREATE_HARDWARE_VERTEXPROCESSING && (caps.DevCaps & D3DDEVCAPS_PUREDEVICE) != 0;
    }
    return true;
}

bool Contains(const std::vector<D3DFORMAT>& formats, D3DFORMAT format) {
    return std::find(formats.begin(), formats.end(), format) != formats.end();
}

}  // namespace

Direct3D::Direct3D() : adapters_(CurrentAdapters()) {}

const Adapter* Direct3D::Find(UINT adapter) const {
    return adapter < adapters_.size() ? &adapters_[adapter] : nullptr;
}

HRESULT Direct3D::CheckKind(UINT adapter, D3DDEVTYPE deviceType) const {
    const Adapter* found = Find(adapter);
    if (!found) return D3DERR_INVALIDCALL;
    return found->Offers(deviceType) ? D3D_OK : D3DERR_NOTAVAILABLE;
}

STDMETHODIMP_(UINT) Direct3D::GetAdapterCount() { return static_cast<UINT>(adapters_.size()); }

STDMETHODIMP Direct3D::GetAdapterIdentifier(UINT adapter, DWORD, D3DADAPTER_IDENTIFIER9* identifier) {
    const Adapter* found = Find(adapter);
    if (!found || !identifier) return D3DERR_INVALIDCALL;
    *identifier = AdapterIdentifier(*found);
    return D3D_OK;
}

STDMETHODIMP_(UINT) Direct3D::GetAdapterModeCount(UINT adapter, D3DFORMAT format) {
    const Adapter* found = Find(adapter);
    if (!found) return 0;
    return static_cast<UINT>(std::count_if(found->modes.begin(), found->modes.end(),
                                           [&](const D3DDISPLAYMODE& mode) { return mode.Format == format; }));
}

STDMETHODIMP Direct3D::EnumAdapterModes(UINT adapter, D3DFORMAT format, UINT mode, D3DDISPLAYMODE* displayMode) {
    const Adapter* found = Find(adapter);
    if (!found || !displayMode) return D3DERR_INVALIDCALL;
    for (const D3DDISPLAYMODE& candidate : found->modes) {
        if (candidate.Format != format) continue;
        if (mode-- == 0) {
            *displayMode = candidate;
            return D3D_OK;
        }
    }
    return D3DERR_INVALIDCALL;
}

STDMETHODIMP Direct3D::GetAdapterDisplayMode(UINT adapter, D3DDISPLAYMODE* displayMode) {
    const Adapter* found = Find(adapter);
    if (!found || !displayMode) return D3DERR_INVALIDCALL;
    *displayMode = found->desktopMode;
    return D3D_OK;
}

STDMETHODIMP Direct3D::CheckDeviceType(UINT adapter, D3DDEVTYPE deviceType, D3DFORMAT adapterFormat,
                                       D3DFORMAT backBufferFormat, BOOL windowed) {
    if (const HRESULT kind = CheckKind(adapter, deviceType); FAILED(kind)) return kind;
    const Adapter& found = adapters_[adapter];
    if (!IsDisplayFormat(adapterFormat)) return D3DERR_NOTAVAILABLE;
    if (windowed) {
        if (adapterFormat != found.desktopMode.Format) return D3DERR_NOTAVAILABLE;
        if (backBufferFormat == D3DFMT_UNKNOWN) backBufferFormat = adapterFormat;
    } else if (GetAdapterModeCount(adapter, adapterFormat) == 0) {
        return D3DERR_NOTAVAILABLE;
    }
    return BackBufferFitsDisplay(adapterFormat, backBufferFormat, windowed != FALSE) ? D3D_OK : D3DERR_NOTAVAILABLE;
}

STDMETHODIMP Direct3D::CheckDeviceFormat(UINT adapter, D3DDEVTYPE deviceType, D3DFORMAT adapterFormat, DWORD usage,
                                        D3DRESOURCETYPE resourceType, D3DFORMAT checkFormat) {
    if (const HRESULT kind = CheckKind(adapter, deviceType); FAILED(kind)) return kind;
    if (!IsDisplayFormat(adapterFormat)) return D3DERR_INVALIDCALL;
    const bool v8u8 = adapters_[adapter].description.v8u8Textures;
    bool supported = false;
    if (usage & D3DUSAGE_DEPTHSTENCIL) {
        supported = resourceType == D3DRTYPE_SURFACE && IsDepthStencilFormat(checkFormat) &&
                    !Contains(adapters_[adapter].description.missingDepthStencilSurfaces, checkFormat);
    } else if (usage & D3DUSAGE_RENDERTARGET) {
        supported = (resourceType == D3DRTYPE_SURFACE || resourceType == D3DRTYPE_TEXTURE) &&
                    IsBackBufferFormat(checkFormat);
    } else if (resourceType == D3DRTYPE_SURFACE || resourceType == D3DRTYPE_TEXTURE) {
        supported = IsTextureFormat(checkFormat, v8u8);
    } else if (resourceType == D3DRTYPE_VERTEXBUFFER) {
        supported = checkFormat == D3DFMT_VERTEXDATA;
    } else if (resourceType == D3DRTYPE_INDEXBUFFER) {
        supported = checkFormat == D3DFMT_INDEX16 || checkFormat == D3DFMT_INDEX32;
    }
    return supported ? D3D_OK : D3DERR_NOTAVAILABLE;
}

STDMETHODIMP Direct3D::CheckDeviceMultiSampleType(UINT adapter, D3DDEVTYPE deviceType, D3DFORMAT, BOOL,
                                                  D3DMULTISAMPLE_TYPE multiSampleType, DWORD* qualityLevels) {
    if (const HRESULT kind = CheckKind(adapter, deviceType); FAILED(kind)) return kind;
    if (multiSampleType != D3DMULTISAMPLE_NONE) return D3DERR_NOTAVAILABLE;
    if (qualityLevels) *qualityLevels = 1;
    return D3D_OK;
}

STDMETHODIMP Direct3D::CheckDepthStencilMatch(UINT adapter, D3DDEVTYPE deviceType, D3DFORMAT adapterFormat,
                                             D3DFORMAT renderTargetFormat, D3DFORMAT depthStencilFormat) {
    if (const HRESULT kind = CheckKind(adapter, deviceType); FAILED(kind)) return kind;
    if (!IsDisplayFormat(adapterFormat)) return D3DERR_INVALIDCALL;
    return IsBackBufferFormat(renderTargetFormat) && IsDepthStencilFormat(depthStencilFormat) &&
                   !Contains(adapters_[adapter].description.missingDepthStencilMatches, depthStencilFormat)
               ? D3D_OK
               : D3DERR_NOTAVAILABLE;
}

STDMETHODIMP Direct3D::GetDeviceCaps(UINT adapter, D3DDEVTYPE deviceType, D3DCAPS9* caps) {
    if (!caps) return D3DERR_INVALIDCALL;
    if (const HRESULT kind = CheckKind(adapter, deviceType); FAILED(kind)) return kind;
    *caps = DeviceCaps(adapters_[adapter], deviceType);
    return D3D_OK;
}

STDMETHODIMP_(HMONITOR) Direct3D::GetAdapterMonitor(UINT adapter) {
    const Adapter* found = Find(adapter);
    return found ? found->monitor : nullptr;
}

STDMETHODIMP Direct3D::CreateDevice(UINT adapter, D3DDEVTYPE deviceType, HWND focusWindow, DWORD behaviorFlags,
                                    D3DPRESENT_PARAMETERS* presentationParameters,
                                    IDirect3DDevice9** returnedDevice) {
    if (!returnedDevice) return D3DERR_INVALIDCALL;
    *returnedDevice = nullptr;
    if (!presentationParameters) return D3DERR_INVALIDCALL;
    if (const HRESULT kind = CheckKind(adapter, deviceType); FAILED(kind)) return kind;
    if (!presentationParameters->Windowed && !focusWindow) return D3DERR_INVALIDCALL;

    DeviceSettings settings{adapters_[adapter], deviceType, focusWindow, behaviorFlags,
                            DeviceCaps(adapters_[adapter], deviceType)};
    if (!BehaviourFits(behaviorFlags, settings.caps)) return D3DERR_INVALIDCALL;
    D3DPRESENT_PARAMETERS completed = *presentationParameters;
    if (const HRESULT checked = CompletePresentParameters(settings.adapter, focusWindow, completed);
        FAILED(checked)) {
        return checked;
    }
    const HRESULT created = Device::Create(this, std::move(settings), completed, returnedDevice);
    if (SUCCEEDED(created)) *presentationParameters = completed;
    return created;
}

}  // namespace platform::d3d9

extern "C" IDirect3D9* WINAPI Direct3DCreate9(UINT sdkVersion) {
    if (sdkVersion != D3D_SDK_VERSION) return nullptr;
    return new platform::d3d9::Direct3D();
}
