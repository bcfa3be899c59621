// The list of Direct3D adapters with the device kinds and display modes
// the application accepts.
#include <algorithm>
#include <iterator>
#include <new>

#include "host/d3d_screensaver.h"
#include "host/display_modes.h"

namespace {

constexpr UINT kMaxCollectedModes = 100;
constexpr UINT kMaxCollectedFormats = 20;
constexpr DWORD kMinModeWidth = 640;
constexpr DWORD kMinModeHeight = 400;

// The display modes of at least 640 by 400, each size and format once,
// sorted, and the formats they use after the desktop's.
struct CollectedModes {
    D3DDISPLAYMODE modes[kMaxCollectedModes]{};
    UINT modeCount = 0;
    D3DFORMAT formats[kMaxCollectedFormats]{};
    UINT formatCount = 0;

    void AddFormat(D3DFORMAT format) {
        if (std::find(formats, formats + formatCount, format) == formats + formatCount &&
            formatCount < kMaxCollectedFormats)
            formats[formatCount++] = format;
    }
};

void CollectModes(IDirect3D9& d3d, UINT adapter, D3DFORMAT desktopFormat, CollectedModes& collected) {
    collected.AddFormat(desktopFormat);
    const UINT available = d3d.GetAdapterModeCount(adapter, D3DFMT_X8R8G8B8);
    for (UINT i = 0; i < available && collected.modeCount < kMaxCollectedModes; ++i) {
        D3DDISPLAYMODE mode{};
        if (FAILED(d3d.EnumAdapterModes(adapter, D3DFMT_X8R8G8B8, i, &mode))) continue;
        if (mode.Width < kMinModeWidth || mode.Height < kMinModeHeight) continue;
        mode.RefreshRate = 0;
        const auto end = collected.modes + collected.modeCount;
        if (std::find_if(collected.modes, end, [&](const D3DDISPLAYMODE& m) {
                return m.Width == mode.Width && m.Height == mode.Height && m.Format == mode.Format;
            }) != end)
            continue;
        collected.modes[collected.modeCount++] = mode;
        collected.AddFormat(mode.Format);
    }
    std::sort(collected.modes, collected.modes + collected.modeCount,
              [](const D3DDISPLAYMODE& a, const D3DDISPLAYMODE& b) { return CompareDisplayModes(a, b) < 0; });
}

}  // namespace

DWORD CD3DScreensaver::ChooseBehaviorFlags(const D3DCAPS9& caps, D3DFORMAT format) {
    DWORD candidates[4]{};
    int count = 0;
    if (caps.DevCaps & D3DDEVCAPS_HWTRANSFORMANDLIGHT) {
        if (caps.DevCaps & D3DDEVCAPS_PUREDEVICE)
            candidates[count++] = D3DCREATE_HARDWARE_VERTEXPROCESSING | D3DCREATE_PUREDEVICE;
        candidates[count++] = D3DCREATE_HARDWARE_VERTEXPROCESSING;
        candidates[count++] = D3DCREATE_MIXED_VERTEXPROCESSING;
    }
    candidates[count++] = D3DCREATE_SOFTWARE_VERTEXPROCESSING;
    for (int i = 0; i < count; ++i) {
        if (SUCCEEDED(AcceptDevice(caps, candidates[i], format))) return candidates[i];
    }
    return 0;
}

bool CD3DScreensaver::ChooseDepthStencilFormat(UINT adapter, D3DDEVTYPE kind, D3DFORMAT format,
                                               D3DFORMAT* chosen) {
    // Every candidate has at least 16 depth bits, the minimum asked for.
    static constexpr D3DFORMAT kCandidates[] = {D3DFMT_D16, D3DFMT_D24X8, D3DFMT_D24S8, D3DFMT_D24X4S4,
                                                D3DFMT_D32};
    for (D3DFORMAT candidate : kCandidates) {
        if (SUCCEEDED(d3d_->CheckDeviceFormat(adapter, kind, format, D3DUSAGE_DEPTHSTENCIL, D3DRTYPE_SURFACE,
                                              candidate)) &&
            SUCCEEDED(d3d_->CheckDepthStencilMatch(adapter, kind, format, format, candidate))) {
            *chosen = candidate;
            return true;
        }
    }
    return false;
}

HRESULT CD3DScreensaver::CollectAdapters() {
    // The tables hold nine adapters, as the monitor list holds nine monitors.
    const UINT count = std::min<UINT>(d3d_->GetAdapterCount(), kMaxAdapters);
    for (UINT a = 0; a < count; ++a) {
        std::unique_ptr<AdapterRecord> record(new (std::nothrow) AdapterRecord{});
        if (!record) return E_OUTOFMEMORY;
        d3d_->GetAdapterIdentifier(a, 0, &record->identifier);
        d3d_->GetAdapterDisplayMode(a, &record->desktopMode);
        const HMONITOR monitor = d3d_->GetAdapterMonitor(a);
        for (int m = 0; m < monitorCount_; ++m) {
            if (monitors_[m].monitor != nullptr && monitors_[m].monitor == monitor) {
                monitors_[m].adapterIndex = static_cast<int>(a);
                record->monitorIndex = m;
                break;
            }
        }

        CollectedModes collected;
        CollectModes(*d3d_.Get(), a, record->desktopMode.Format, collected);

        for (D3DDEVTYPE kind : {D3DDEVTYPE_HAL, D3DDEVTYPE_SW}) {
            DeviceRecord& device = record->devices[record->deviceCount];
            device = DeviceRecord{};
            device.kind = kind;
            if (FAILED(d3d_->GetDeviceCaps(a, kind, &device.caps))) continue;

            bool usable[kMaxCollectedFormats]{};
            DWORD behavior[kMaxCollectedFormats]{};
            D3DFORMAT depthStencil[kMaxCollectedFormats]{};
            for (UINT f = 0; f < collected.formatCount; ++f) {
                const D3DFORMAT format = collected.formats[f];
                if (FAILED(d3d_->CheckDeviceType(a, kind, format, format, FALSE))) continue;
                (kind == D3DDEVTYPE_HAL ? record->hardwareFormatsPass : record->softwareFormatsPass) = true;
                behavior[f] = ChooseBehaviorFlags(device.caps, format);
                if (behavior[f] == 0) continue;
                if (useDepthBuffer_ && !ChooseDepthStencilFormat(a, kind, format, &depthStencil[f])) continue;
                usable[f] = true;
            }

            for (UINT m = 0; m < collected.modeCount && device.modeCount < kMaxDeviceModes; ++m) {
                const D3DDISPLAYMODE& mode = collected.modes[m];
                const UINT f = static_cast<UINT>(
                    std::find(collected.formats, collected.formats + collected.formatCount, mode.Format) -
                    collected.formats);
                if (f == collected.formatCount || !usable[f]) continue;
                device.modes[device.modeCount++] = DeviceMode{mode.Width, mode.Height, static_cast<DWORD>(mode.Format),
                                                              behavior[f], static_cast<DWORD>(depthStencil[f])};
            }
            device.windowedCapable = usable[0];

            if (device.modeCount > 0) {
                ++record->deviceCount;
                (kind == D3DDEVTYPE_HAL ? record->hardwareUsable : record->softwareUsable) = true;
            }
        }
        adapters_[a] = std::move(record);
        adapterCount_ = a + 1;
    }
    return S_OK;
}
