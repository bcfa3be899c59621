// The settings dialogs, driven as a user would drive them.
#include <chrono>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <thread>

#include <commctrl.h>

#include <platform/sim_dialogs.h>
#include <platform/sim_input.h>

#include "host/host_fixture.h"
#include "host/registry_key.h"
#include "host/settings_values.h"
#include "resources/resource.h"

namespace host_test {
namespace {

using platform::sim::ClickControl;
using DialogAction = std::function<void(HWND dialog)>;

constexpr DWORD kMissing = 0xDEADBEEF;

class SettingsDialogTest : public HostTest {
protected:
    void TearDown() override {
        platform::sim::SetDialogUser({});
        HostTest::TearDown();
    }

    // What the user does in each dialog, by template id; a dialog without
    // an action is cancelled, so that no test waits for ever.
    void Act(std::map<int, DialogAction> actions) {
        actions_ = std::move(actions);
        platform::sim::SetDialogUser([this](HWND dialog, int id) {
            shown_.push_back(id);
            const auto found = actions_.find(id);
            if (found != actions_.end()) found->second(dialog);
            else ClickControl(dialog, IDCANCEL);
        });
    }

    static std::wstring Text(HWND dialog, int id) {
        WCHAR text[400]{};
        GetDlgItemTextW(dialog, id, text, 400);
        return text;
    }

    static std::vector<std::wstring> ComboItems(HWND dialog, int id) {
        std::vector<std::wstring> items;
        const auto count = SendDlgItemMessageW(dialog, id, CB_GETCOUNT, 0, 0);
        for (LRESULT i = 0; i < count; ++i) {
            WCHAR text[100]{};
            SendDlgItemMessageW(dialog, id, CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text));
            items.emplace_back(text);
        }
        return items;
    }

    static LRESULT Selection(HWND dialog, int id) { return SendDlgItemMessageW(dialog, id, CB_GETCURSEL, 0, 0); }

    static std::wstring LoadedString(UINT id) {
        WCHAR text[400]{};
        LoadStringW(nullptr, id, text, 400);
        return text;
    }

    static DWORD SettingsValue(const WCHAR* name, const std::wstring& subKey = L"") {
        DWORD value = kMissing;
        RegistryKey key(HKEY_CURRENT_USER, (std::wstring(kSettingsKeyPath) + subKey).c_str());
        ReadDwordValue(key.Get(), name, &value);
        return value;
    }

    static void SetSettingsValue(const WCHAR* name, DWORD value, const std::wstring& subKey = L"") {
        RegistryKey key(HKEY_CURRENT_USER, (std::wstring(kSettingsKeyPath) + subKey).c_str());
        WriteDwordValue(key.Get(), name, value);
    }

    std::map<int, DialogAction> actions_;
    std::vector<int> shown_;
};

TEST_F(SettingsDialogTest, FreshUserGetsTheDefaultsAndCancelWritesTheScreenSettings) {
    auto saver = Start(kModeSettings);
    std::wstring caption;
    std::vector<std::wstring> positions;
    LRESULT position = -1;
    LRESULT volume = -1;
    UINT mute = 99;
    Act({{IDD_SETTINGS,
          [&](HWND dialog) {
              WCHAR text[200]{};
              GetWindowTextW(dialog, text, 200);
              caption = text;
              positions = ComboItems(dialog, IDC_PICTURE_POSITION);
              position = Selection(dialog, IDC_PICTURE_POSITION);
              ClickControl(dialog, IDC_SOUND_SETTINGS);
              ClickControl(dialog, IDCANCEL);
          }},
         {IDD_SOUND, [&](HWND dialog) {
              volume = SendDlgItemMessageW(dialog, IDC_VOLUME, TBM_GETPOS, 0, 0);
              mute = IsDlgButtonChecked(dialog, IDC_MUTE);
              ClickControl(dialog, IDCANCEL);
          }}});
    EXPECT_EQ(saver->RunMode(), 0);

    EXPECT_EQ(shown_, (std::vector<int>{IDD_SETTINGS, IDD_SOUND}));
    EXPECT_EQ(caption, LoadedString(IDS_TITLE));
    EXPECT_EQ(positions, (std::vector<std::wstring>{L"Stretch", L"Fit", L"Fill"}));
    EXPECT_EQ(position, 2);
    EXPECT_EQ(volume, 0);  // volume 100: the loudest end
    EXPECT_EQ(mute, BST_UNCHECKED);
    EXPECT_EQ(SettingsValue(L"AllScreensSame"), 0u);
    EXPECT_EQ(SettingsValue(L"Leave Black", L"Screen 1"), 0u);
    EXPECT_EQ(SettingsValue(L"Width", L"Screen 1"), 0u);
    EXPECT_EQ(SettingsValue(kPicturePositionValue), kMissing);
}

TEST_F(SettingsDialogTest, StoredPicturePositionSelectsItsItemAndOkStoresThePick) {
    struct Case {
        DWORD stored;
        LRESULT shown;
    };
    // Out of range is treated as missing: Fill.
    for (const Case c : {Case{1, 1}, Case{0, 0}, Case{7, 2}}) {
        SetSettingsValue(kPicturePositionValue, c.stored);
        auto saver = Start(kModeSettings);
        LRESULT shown = -1;
        Act({{IDD_SETTINGS, [&](HWND dialog) {
                  shown = Selection(dialog, IDC_PICTURE_POSITION);
                  platform::sim::PickComboItem(dialog, IDC_PICTURE_POSITION, 1);
                  ClickControl(dialog, IDOK);
              }}});
        saver->ShowSettingsDialog();
        EXPECT_EQ(shown, c.shown) << c.stored;
        EXPECT_EQ(SettingsValue(kPicturePositionValue), 1u) << c.stored;
        EXPECT_EQ(GetPicturePosition(), 1) << c.stored;
    }
}

TEST_F(SettingsDialogTest, VolumeTrackbarRunsFromLoudToQuiet) {
    struct Case {
        DWORD storedVolume;
        LRESULT shownPosition;
    };
    for (const Case c : {Case{30, 70}, Case{100, 0}, Case{5000, 0}}) {
        SetSettingsValue(kSoundVolumeValue, c.storedVolume);
        SetSettingsValue(kMuteSoundValue, 0);
        auto saver = Start(kModeSettings);
        LRESULT shown = -1;
        Act({{IDD_SETTINGS,
              [&](HWND dialog) {
                  ClickControl(dialog, IDC_SOUND_SETTINGS);
                  ClickControl(dialog, IDCANCEL);
              }},
             {IDD_SOUND, [&](HWND dialog) {
                  shown = SendDlgItemMessageW(dialog, IDC_VOLUME, TBM_GETPOS, 0, 0);
                  platform::sim::MoveTrackbar(dialog, IDC_VOLUME, 25);
                  ClickControl(dialog, IDC_MUTE);
                  ClickControl(dialog, IDOK);
              }}});
        saver->ShowSettingsDialog();
        EXPECT_EQ(shown, c.shownPosition) << c.storedVolume;
        EXPECT_EQ(SettingsValue(kSoundVolumeValue), 75u) << c.storedVolume;
        EXPECT_EQ(SettingsValue(kMuteSoundValue), 1u) << c.storedVolume;
    }
}

TEST_F(SettingsDialogTest, SoundDialogCancelKeepsTheStoredValues) {
    SetSettingsValue(kSoundVolumeValue, 40);
    auto saver = Start(kModeSettings);
    Act({{IDD_SETTINGS,
          [&](HWND dialog) {
              ClickControl(dialog, IDC_SOUND_SETTINGS);
              ClickControl(dialog, IDCANCEL);
          }},
         {IDD_SOUND, [&](HWND dialog) {
              platform::sim::MoveTrackbar(dialog, IDC_VOLUME, 0);
              ClickControl(dialog, IDC_MUTE);
              ClickControl(dialog, IDCANCEL);
          }}});
    saver->ShowSettingsDialog();
    EXPECT_EQ(SettingsValue(kSoundVolumeValue), 40u);
    EXPECT_EQ(SettingsValue(kMuteSoundValue), kMissing);
}

class DisplaySettingsTest : public SettingsDialogTest {
protected:
    void SetUp() override {
        SettingsDialogTest::SetUp();
        platform::sim::AdapterDescription adapter;
        adapter.modes = {Mode(640, 480), Mode(800, 600), Mode(1024, 768)};
        platform::sim::SetAdapters({adapter});
    }
};

TEST_F(DisplaySettingsTest, CancelRestoresTheModeAndTheMainCancelReloadsTheRegistry) {
    auto saver = Start(kModeSettings);
    std::vector<std::wstring> modes;
    DWORD widthWhilePicked = 0;
    DWORD widthAfterCancel = kMissing;
    DWORD widthAfterOk = 0;
    int displayDialogs = 0;
    Act({{IDD_SETTINGS,
          [&](HWND dialog) {
              ClickControl(dialog, IDC_DISPLAY_SETTINGS);
              widthAfterCancel = saver->adapters_[0]->savedWidth;
              ClickControl(dialog, IDC_DISPLAY_SETTINGS);
              widthAfterOk = saver->adapters_[0]->savedWidth;
              ClickControl(dialog, IDCANCEL);
          }},
         {IDD_DISPLAY_ONE, [&](HWND dialog) {
              ++displayDialogs;
              modes = ComboItems(dialog, IDC_MODE_LIST);
              platform::sim::PickComboItem(dialog, IDC_MODE_LIST, 2);
              widthWhilePicked = saver->adapters_[0]->savedWidth;
              ClickControl(dialog, displayDialogs == 1 ? IDCANCEL : IDOK);
          }}});
    saver->ShowSettingsDialog();

    EXPECT_EQ(modes, (std::vector<std::wstring>{L"Automatic", L"640 by 480, 32 bit color", L"800 by 600, 32 bit color",
                                                L"1024 by 768, 32 bit color"}));
    EXPECT_EQ(widthWhilePicked, 800u);
    EXPECT_EQ(widthAfterCancel, 0u);
    EXPECT_EQ(widthAfterOk, 800u);
    EXPECT_EQ(saver->adapters_[0]->savedWidth, 0u);  // read back from the registry
    EXPECT_EQ(SettingsValue(L"Width", L"Screen 1"), 0u);
}

TEST_F(DisplaySettingsTest, OkInBothDialogsStoresTheModeAndLeaveBlack) {
    auto saver = Start(kModeSettings);
    bool modeListEnabledWhenBlack = true;
    Act({{IDD_SETTINGS,
          [&](HWND dialog) {
              ClickControl(dialog, IDC_DISPLAY_SETTINGS);
              ClickControl(dialog, IDOK);
          }},
         {IDD_DISPLAY_ONE, [&](HWND dialog) {
              platform::sim::PickComboItem(dialog, IDC_MODE_LIST, 3);
              ClickControl(dialog, IDC_SHOW_NOTHING);
              modeListEnabledWhenBlack = IsWindowEnabled(GetDlgItem(dialog, IDC_MODE_LIST)) != FALSE;
              // Dialog 200 has no reverse-order check box: the click does nothing.
              ClickControl(dialog, IDC_REVERSE_ORDER);
              EXPECT_EQ(IsDlgButtonChecked(dialog, IDC_REVERSE_ORDER), 0u);
              ClickControl(dialog, IDOK);
          }}});
    saver->ShowSettingsDialog();
    EXPECT_FALSE(modeListEnabledWhenBlack);
    EXPECT_EQ(SettingsValue(L"Width", L"Screen 1"), 1024u);
    EXPECT_EQ(SettingsValue(L"Height", L"Screen 1"), 768u);
    EXPECT_EQ(SettingsValue(L"Format", L"Screen 1"), static_cast<DWORD>(D3DFMT_X8R8G8B8));
    EXPECT_EQ(SettingsValue(L"Leave Black", L"Screen 1"), 1u);
}

TEST_F(DisplaySettingsTest, AnotherAdaptersSubkeyShowsOnlyLeaveBlack) {
    StoreScreenOfAnotherAdapter();
    auto saver = Start(kModeSettings);
    UINT nothing = 0, disabled = 1;
    LRESULT mode = -1;
    Act({{IDD_SETTINGS,
          [&](HWND dialog) {
              ClickControl(dialog, IDC_DISPLAY_SETTINGS);
              ClickControl(dialog, IDCANCEL);
          }},
         {IDD_DISPLAY_ONE, [&](HWND dialog) {
              nothing = IsDlgButtonChecked(dialog, IDC_SHOW_NOTHING);
              disabled = IsDlgButtonChecked(dialog, IDC_DISABLE_HARDWARE);
              mode = Selection(dialog, IDC_MODE_LIST);
              ClickControl(dialog, IDCANCEL);
          }}});
    saver->ShowSettingsDialog();
    EXPECT_EQ(nothing, BST_CHECKED);
    EXPECT_EQ(disabled, BST_UNCHECKED);
    EXPECT_EQ(mode, 0);  // Automatic
}

struct HelpCase {
    bool hardware;
    bool software;
    std::vector<D3DDEVTYPE> refused;
    DWORD disableHardware;
    UINT expected;
};

// The second monitor's adapter is the one described; the first keeps the
// saver usable so that the dialog opens at all.
TEST_F(SettingsDialogTest, HelpDescribesTheSelectedMonitorsAdapter) {
    const HelpCase cases[] = {
        {true, false, {}, 0, IDS_INFO_GOODHAL},
        {true, true, {D3DDEVTYPE_HAL}, 0, IDS_INFO_BADHAL_GOODSW},
        {true, true, {D3DDEVTYPE_HAL, D3DDEVTYPE_SW}, 0, IDS_INFO_BADHAL_BADSW},
        {true, false, {D3DDEVTYPE_HAL}, 0, IDS_INFO_BADHAL_NOSW},
        {false, true, {}, 0, IDS_INFO_NOHAL_GOODSW},
        {false, true, {D3DDEVTYPE_SW}, 0, IDS_INFO_NOHAL_BADSW},
        {false, false, {}, 0, IDS_INFO_NOHAL_NOSW},
        {true, true, {}, 1, IDS_INFO_DISABLEDHAL_GOODSW},
        {true, true, {D3DDEVTYPE_SW}, 1, IDS_INFO_DISABLEDHAL_BADSW},
        {true, false, {}, 1, IDS_INFO_DISABLEDHAL_NOSW},
    };
    UseDisplays({Display({0, 0, 1024, 768}, true), Display({1024, 0, 2048, 768})});
    for (const HelpCase& c : cases) {
        platform::sim::AdapterDescription good;
        platform::sim::AdapterDescription described;
        described.description = "Described Adapter";
        described.hardwareDevice = c.hardware;
        described.softwareDevice = c.software;
        platform::sim::SetAdapters({good, described});
        SetSettingsValue(L"Disable Hardware", c.disableHardware, L"Screen 2");
        platform::sim::ClearShownMessageBoxes();

        auto saver = std::make_unique<TestSaver>();
        saver->refusingAdapter = 1;
        saver->refusedDeviceTypes = c.refused;
        ASSERT_EQ(saver->StartInMode(RunModeRequest{kModeSettings, nullptr}), S_OK);
        std::wstring status;
        Act({{IDD_SETTINGS,
              [&](HWND dialog) {
                  ClickControl(dialog, IDC_DISPLAY_SETTINGS);
                  ClickControl(dialog, IDCANCEL);
              }},
             {IDD_DISPLAY_SEVERAL, [&](HWND dialog) {
                  platform::sim::SelectTab(dialog, IDC_MONITOR_TABS, 1);
                  ClickControl(dialog, IDC_DISPLAY_HELP);
                  status = Text(dialog, IDC_RENDERING);
                  ClickControl(dialog, IDCANCEL);
              }}});
        saver->ShowSettingsDialog();
        const auto boxes = platform::sim::ShownMessageBoxes();
        ASSERT_EQ(boxes.size(), 1u) << c.expected;
        EXPECT_EQ(boxes[0].text, LoadedString(c.expected)) << c.expected;
        EXPECT_EQ(boxes[0].caption, L"Simulated Display Adapter") << c.expected;
        EXPECT_EQ(boxes[0].type, MB_ICONINFORMATION);
        const UINT expectedStatus = c.expected == IDS_INFO_GOODHAL                                   ? IDS_RENDERING_HAL
                                    : c.expected == IDS_INFO_BADHAL_GOODSW || c.expected == IDS_INFO_NOHAL_GOODSW ||
                                              c.expected == IDS_INFO_DISABLEDHAL_GOODSW
                                        ? IDS_RENDERING_SW
                                        : IDS_RENDERING_NONE;
        EXPECT_EQ(status, LoadedString(expectedStatus)) << c.expected;
    }
}

// The browser command's own % sequences reach the browser as they are; the
// started program writes the arguments it was given.
TEST_F(SettingsDialogTest, WebsiteStartsTheBrowserCommandWithTheAddress) {
    char pattern[] = "/tmp/browser-test-XXXXXX";
    const std::filesystem::path folder = mkdtemp(pattern);
    const std::filesystem::path browser = folder / "browser";
    std::ofstream(browser) << "#!/bin/sh\nprintf '%s\\n' \"$@\" > \"$0.tmp\" && mv \"$0.tmp\" \"$0.args\"\n";
    std::filesystem::permissions(browser, std::filesystem::perms::owner_all);
    const std::wstring program(browser.wstring());
    const std::wstring address = LoadedString(IDS_WEBSITE_ADDRESS);
    struct Case {
        std::wstring command;
        std::string arguments;
    };
    const std::string url(address.begin(), address.end());
    const Case cases[] = {
        {program + L" \"%1\" %s %n", url + "\n%s\n%n\n"},
        {program + L" %s %n %d", "%s\n%n\n%d\n" + url + "\n"},
        {program, url + "\n"},
    };
    for (const Case& c : cases) {
        HKEY key = nullptr;
        ASSERT_EQ(RegCreateKeyExW(HKEY_CLASSES_ROOT, L"http\\shell\\open\\command", 0, nullptr, 0, KEY_ALL_ACCESS,
                                  nullptr, &key, nullptr),
                  ERROR_SUCCESS);
        RegSetValueExW(key, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(c.command.c_str()),
                       static_cast<DWORD>((c.command.size() + 1) * sizeof(WCHAR)));
        RegCloseKey(key);
        std::filesystem::remove(folder / "browser.args");

        auto saver = Start(kModeSettings);
        Act({{IDD_SETTINGS, [&](HWND dialog) {
                  ClickControl(dialog, IDC_WEBSITE);
                  ClickControl(dialog, IDCANCEL);
              }}});
        saver->ShowSettingsDialog();
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
        while (!std::filesystem::exists(folder / "browser.args") && std::chrono::steady_clock::now() < deadline)
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        std::ifstream file(folder / "browser.args");
        std::stringstream arguments;
        arguments << file.rdbuf();
        EXPECT_EQ(arguments.str(), c.arguments);
    }
    std::filesystem::remove_all(folder);
}

TEST_F(SettingsDialogTest, KeyboardMovesTheFocusAndPressesButtons) {
    auto saver = Start(kModeSettings);
    HWND settings = nullptr;
    int focusAfterTab = 0;
    Act({{IDD_SETTINGS,
          [&](HWND dialog) {
              settings = dialog;
              // Tab leaves the combo box for the first button; Enter presses it.
              EXPECT_EQ(platform::sim::FocusedControl(dialog), IDC_PICTURE_POSITION);
              platform::sim::PressKey(dialog, VK_TAB);
              platform::sim::PressKey(dialog, VK_RETURN);
          }},
         {IDD_DISPLAY_ONE, [&](HWND dialog) {
              focusAfterTab = platform::sim::FocusedControl(settings);
              platform::sim::PressKey(dialog, VK_ESCAPE);
              // Reaches the main dialog once this one has gone.
              platform::sim::PressKey(settings, VK_ESCAPE);
          }}});
    saver->ShowSettingsDialog();
    EXPECT_EQ(shown_, (std::vector<int>{IDD_SETTINGS, IDD_DISPLAY_ONE}));
    EXPECT_EQ(focusAfterTab, IDC_DISPLAY_SETTINGS);
    EXPECT_EQ(SettingsValue(kPicturePositionValue), kMissing);

    // Enter with the focus on no push button is OK, the default button.
    Act({{IDD_SETTINGS, [&](HWND dialog) { platform::sim::PressKey(dialog, VK_RETURN); }}});
    saver->ShowSettingsDialog();
    EXPECT_EQ(SettingsValue(kPicturePositionValue), 2u);
}

void HandleWaitingMessages() {
    MSG message{};
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

// Clicks arrive as SDL mouse events at the controls' places, as a user's
// do; under Xvfb the dialog is also drawn.
TEST_F(SettingsDialogTest, MouseClicksAtControlsPickAndConfirm) {
    auto saver = Start(kModeSettings);
    RECT client{}, expected{0, 0, 224, 96};
    LRESULT picked = -1;
    Act({{IDD_SETTINGS, [&](HWND dialog) {
              GetClientRect(dialog, &client);
              MapDialogRect(dialog, &expected);
              const HWND combo = GetDlgItem(dialog, IDC_PICTURE_POSITION);
              RECT comboRect{};
              GetClientRect(combo, &comboRect);
              platform::sim::ClickMouse(combo, platform::sim::MouseButton::Left, 10, comboRect.bottom / 2);
              HandleWaitingMessages();
              // The first item of the list that opened below.
              platform::sim::ClickMouse(combo, platform::sim::MouseButton::Left, 10, comboRect.bottom + 6);
              HandleWaitingMessages();
              picked = Selection(dialog, IDC_PICTURE_POSITION);
              const HWND ok = GetDlgItem(dialog, IDOK);
              RECT okRect{};
              GetClientRect(ok, &okRect);
              platform::sim::ClickMouse(ok, platform::sim::MouseButton::Left, okRect.right / 2, okRect.bottom / 2);
          }}});
    saver->ShowSettingsDialog();
    EXPECT_EQ(client.right, expected.right);
    EXPECT_EQ(client.bottom, expected.bottom);
    EXPECT_EQ(client.right, 224 * 6 / 4);
    EXPECT_EQ(picked, 0);
    EXPECT_EQ(SettingsValue(kPicturePositionValue), 0u);
}

}  // namespace
}  // namespace host_test
