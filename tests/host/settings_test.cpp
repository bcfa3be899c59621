// The settings in the current user's registry.
#include <filesystem>

#include "host/host_fixture.h"
#include "host/registry_key.h"
#include "host/settings_values.h"

namespace host_test {
namespace {

class SettingsTest : public HostTest {
protected:
    static std::wstring ScreenKey(int number) {
        return std::wstring(kSettingsKeyPath) + L"Screen " + std::to_wstring(number);
    }
};

// A fresh registry stores nothing: every read keeps what the caller had,
// and the show's picture position is the product's Fill. (The volume the
// show then takes: SceneTest's primary buffer at the loudest.)
TEST_F(SettingsTest, FreshUserKeepsTheDefaults) {
    ASSERT_FALSE(std::filesystem::exists(registryFile_));
    TestSaver saver;  // sets the key path
    constexpr DWORD kUnread = 0xDEADBEEF;
    for (const WCHAR* name : {kSoundVolumeValue, kMuteSoundValue, kPicturePositionValue}) {
        DWORD value = kUnread;
        ReadSettingValue(&value, name);
        EXPECT_EQ(value, kUnread) << "stored, though fresh";
    }
    EXPECT_EQ(GetPicturePosition(), 2);

    auto started = Start(kModeFullScreen);
    const AdapterRecord& adapter = *started->adapters_[0];
    EXPECT_EQ(adapter.leaveBlack, 0u);
    EXPECT_EQ(adapter.disableHardware, 0u);
    EXPECT_EQ(adapter.savedWidth, 0u);
}

TEST_F(SettingsTest, ValuesAreWrittenAndReadBack) {
    TestSaver saver;
    WriteSettingValue(40, L"\"SoundVolume\"");
    DWORD volume = 100;
    ReadSettingValue(&volume, L"\"SoundVolume\"");
    EXPECT_EQ(volume, 40u);
}

TEST_F(SettingsTest, ValueOfAnotherTypeOrSizeLeavesTheDefault) {
    TestSaver saver;
    RegistryKey key(HKEY_CURRENT_USER, kSettingsKeyPath);
    const BYTE shortValue[2] = {7, 0};
    RegSetValueExW(key.Get(), L"\"PicPos\"", 0, REG_BINARY, shortValue, sizeof(shortValue));
    const DWORD wide[2] = {1, 2};
    RegSetValueExW(key.Get(), L"\"SoundVolume\"", 0, REG_BINARY, reinterpret_cast<const BYTE*>(wide), sizeof(wide));
    DWORD position = 0xAAAAAAAA;
    DWORD volume = 100;
    ReadSettingValue(&position, L"\"PicPos\"");
    ReadSettingValue(&volume, L"\"SoundVolume\"");
    EXPECT_EQ(position, 0xAAAAAAAAu);
    EXPECT_EQ(volume, 100u);
}

TEST_F(SettingsTest, ValueOutOfItsRangeLeavesTheDefault) {
    TestSaver saver;
    struct Case {
        const WCHAR* name;
        DWORD stored;
        DWORD read;
    };
    for (const Case c : {Case{kSoundVolumeValue, 5000, 100}, Case{kSoundVolumeValue, 100, 100},
                         Case{kSoundVolumeValue, 0, 0}, Case{kMuteSoundValue, 2, 0}, Case{kMuteSoundValue, 1, 1},
                         Case{kPicturePositionValue, 7, 2}, Case{kPicturePositionValue, 0, 0}}) {
        WriteSettingValue(c.stored, c.name);
        DWORD value = c.name == kSoundVolumeValue ? 100 : c.name == kMuteSoundValue ? 0 : 2;
        ReadSettingValue(&value, c.name);
        EXPECT_EQ(value, c.read) << c.stored;
    }
}

TEST_F(SettingsTest, ScreenValuesOfAnotherAdapterRestoreOnlyLeaveBlack) {
    StoreScreenOfAnotherAdapter();
    auto saver = Start(kModeFullScreen);
    const AdapterRecord& adapter = *saver->adapters_[0];
    EXPECT_NE(adapter.identifier.DeviceIdentifier, kOtherAdapterId);
    EXPECT_EQ(adapter.leaveBlack, 1u);
    EXPECT_EQ(adapter.disableHardware, 0u);
    EXPECT_EQ(adapter.savedWidth, 0u);
    EXPECT_EQ(adapter.savedHeight, 0u);
    EXPECT_EQ(adapter.savedFormat, 0u);
}

TEST_F(SettingsTest, ScreenValuesOfThisAdapterAreRestored) {
    auto first = Start(kModeFullScreen);
    const GUID id = first->adapters_[0]->identifier.DeviceIdentifier;
    first.reset();
    {
        RegistryKey screen(HKEY_CURRENT_USER, ScreenKey(1).c_str());
        RegSetValueExW(screen.Get(), L"Adapter ID", 0, REG_BINARY, reinterpret_cast<const BYTE*>(&id), sizeof(id));
        WriteDwordValue(screen.Get(), L"Disable Hardware", 1);
        WriteDwordValue(screen.Get(), L"Width", 800);
        WriteDwordValue(screen.Get(), L"Height", 600);
    }
    auto saver = Start(kModeFullScreen);
    const AdapterRecord& adapter = *saver->adapters_[0];
    EXPECT_EQ(adapter.disableHardware, 1u);
    EXPECT_EQ(adapter.savedWidth, 800u);
    EXPECT_EQ(adapter.savedHeight, 600u);
}

}  // namespace
}  // namespace host_test
