#include "host/settings_values.h"

#include "host/registry_key.h"

std::wstring g_settingsKeyPath;

namespace {

struct ValueRange {
    const WCHAR* name;
    DWORD maximum;
};

// A damaged registry must not give a positive sound volume or a layout
// mode the show does not have.
constexpr ValueRange kRanges[] = {
    {kSoundVolumeValue, 100},
    {kMuteSoundValue, 1},
    {kPicturePositionValue, 2},
};

bool InRange(const WCHAR* name, DWORD value) {
    for (const ValueRange& range : kRanges) {
        if (lstrcmpW(range.name, name) == 0) return value <= range.maximum;
    }
    return true;
}

bool g_picturePositionRead = false;
int g_picturePosition = static_cast<int>(kDefaultPicturePosition);

}  // namespace

void ReadSettingValue(DWORD* value, const WCHAR* name) {
    RegistryKey key(HKEY_CURRENT_USER, g_settingsKeyPath.c_str());
    DWORD read = *value;
    ReadDwordValue(key.Get(), name, &read);
    if (InRange(name, read)) *value = read;
}

void WriteSettingValue(DWORD value, const WCHAR* name) {
    RegistryKey key(HKEY_CURRENT_USER, g_settingsKeyPath.c_str());
    WriteDwordValue(key.Get(), name, value);
}

int GetPicturePosition() {
    if (!g_picturePositionRead) {
        DWORD position = kDefaultPicturePosition;
        ReadSettingValue(&position, kPicturePositionValue);
        g_picturePosition = static_cast<int>(position);
        g_picturePositionRead = true;
    }
    return g_picturePosition;
}

int SetPicturePosition(int mode) {
    GetPicturePosition();
    g_picturePosition = mode;
    WriteSettingValue(static_cast<DWORD>(mode), kPicturePositionValue);
    return mode;
}

void ForgetPicturePosition() { g_picturePositionRead = false; }
