// The per-monitor display settings under "Screen %d" (numbered from 1)
// and "AllScreensSame".
#include <string>

#include "host/d3d_screensaver.h"
#include "host/display_modes.h"
#include "host/registry_key.h"

namespace {

std::wstring ScreenKeyName(int monitorIndex) { return L"Screen " + std::to_wstring(monitorIndex + 1); }

void WriteAdapterId(HKEY key, const AdapterRecord& adapter) {
    RegSetValueExW(key, L"Adapter ID", 0, REG_BINARY,
                   reinterpret_cast<const BYTE*>(&adapter.identifier.DeviceIdentifier), sizeof(GUID));
}

}  // namespace

void CD3DScreensaver::LoadScreenSettings(HKEY key) {
    ReadDwordValue(key, L"AllScreensSame", &allScreensSame_);
    for (int m = 0; m < monitorCount_; ++m) {
        if (monitors_[m].adapterIndex < 0) continue;
        AdapterRecord& adapter = *adapters_[monitors_[m].adapterIndex];
        RegistryKey screen(key, ScreenKeyName(m).c_str());
        if (screen.Get() == nullptr) continue;

        GUID stored{};
        DWORD size = sizeof(stored);
        if (RegQueryValueExW(screen.Get(), L"Adapter ID", nullptr, nullptr, reinterpret_cast<BYTE*>(&stored),
                             &size) != ERROR_SUCCESS)
            stored = GUID{};
        ReadDwordValue(screen.Get(), L"Leave Black", &adapter.leaveBlack);
        // Values written for another adapter keep only the leave-black choice.
        if (AdapterIdEquals(stored, adapter.identifier.DeviceIdentifier) || AdapterIdEquals(stored, GUID{})) {
            ReadDwordValue(screen.Get(), L"Disable Hardware", &adapter.disableHardware);
            ReadDwordValue(screen.Get(), L"Width", &adapter.savedWidth);
            ReadDwordValue(screen.Get(), L"Height", &adapter.savedHeight);
            ReadDwordValue(screen.Get(), L"Format", &adapter.savedFormat);
        }
    }
}

void CD3DScreensaver::SaveScreenSettings(HKEY key) {
    WriteDwordValue(key, L"AllScreensSame", allScreensSame_);
    for (int m = 0; m < monitorCount_; ++m) {
        if (monitors_[m].adapterIndex < 0) continue;
        const AdapterRecord& adapter = *adapters_[monitors_[m].adapterIndex];
        RegistryKey screen(key, ScreenKeyName(m).c_str());
        if (screen.Get() == nullptr) continue;
        WriteDwordValue(screen.Get(), L"Leave Black", adapter.leaveBlack);
        WriteDwordValue(screen.Get(), L"Disable Hardware", adapter.disableHardware);
        WriteDwordValue(screen.Get(), L"Width", adapter.savedWidth);
        WriteDwordValue(screen.Get(), L"Height", adapter.savedHeight);
        WriteDwordValue(screen.Get(), L"Format", adapter.savedFormat);
        WriteAdapterId(screen.Get(), adapter);
    }
}

void CD3DScreensaver::SaveDisplayMode(int monitorIndex, const AdapterRecord& adapter) {
    RegistryKey settings(HKEY_CURRENT_USER, settingsKeyPath_.c_str());
    RegistryKey screen(settings.Get(), ScreenKeyName(monitorIndex).c_str());
    if (screen.Get() == nullptr) return;
    WriteDwordValue(screen.Get(), L"Width", adapter.savedWidth);
    WriteDwordValue(screen.Get(), L"Height", adapter.savedHeight);
    WriteDwordValue(screen.Get(), L"Format", adapter.savedFormat);
    WriteAdapterId(screen.Get(), adapter);
}

void CD3DScreensaver::SaveSettings() {
    RegistryKey key(HKEY_CURRENT_USER, settingsKeyPath_.c_str());
    if (key.Get() != nullptr) SaveScreenSettings(key.Get());
}
