// The application's values under the settings key of the current user.
#pragma once

#include <string>

#include <windows.h>

inline constexpr const WCHAR* kSettingsKeyPath = L"Software\\Corvenna\\Lumaweft Maker\\Screensaver\\";

inline constexpr const WCHAR* kSoundVolumeValue = L"\"SoundVolume\"";
inline constexpr const WCHAR* kMuteSoundValue = L"\"MuteSound\"";
inline constexpr const WCHAR* kPicturePositionValue = L"\"PicPos\"";

inline constexpr DWORD kDefaultSoundVolume = 100;
inline constexpr DWORD kDefaultPicturePosition = 2;  // Fill

// The key path that ReadSettingValue and WriteSettingValue open.
extern std::wstring g_settingsKeyPath;

// A missing value, one that is not a four-byte DWORD, one outside the
// range its name allows, or a key that cannot be opened leaves *value
// unchanged.
void ReadSettingValue(DWORD* value, const WCHAR* name);
void WriteSettingValue(DWORD value, const WCHAR* name);

// The picture position of every background layer: 0 Stretch, 1 Fit, 2 Fill.
int GetPicturePosition();
int SetPicturePosition(int mode);
// The next GetPicturePosition reads the registry again; a new application
// object starts with nothing read.
void ForgetPicturePosition();
