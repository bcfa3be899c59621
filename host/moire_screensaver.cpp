#include "host/moire_screensaver.h"

#include <windows.h>
#include <commctrl.h>

#include <iterator>

#include "host/registry_key.h"
#include "host/settings_values.h"

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
