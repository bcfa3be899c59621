// Monitors, adapters and the device chosen for each monitor, on simulated
// display devices and adapters.
#include <algorithm>

#include <platform/sim_d3d.h>

#include "host/display_modes.h"
#include "host/host_errors.h"
#include "host/host_fixture.h"
#include "host/registry_key.h"
#include "host/settings_values.h"

namespace host_test {
namespace {

using platform::sim::AdapterDescription;

class DevicesTest : public HostTest {
protected:
    static std::wstring ScreenKey(int number) {
        return std::wstring(kSettingsKeyPath) + L"Screen " + std::to_wstring(number);
    }
    static DWORD ScreenValue(int number, const WCHAR* name) {
        DWORD value = 0xDEADBEEF;
        RegistryKey key(HKEY_CURRENT_USER, ScreenKey(number).c_str());
        ReadDwordValue(key.Get(), name, &value);
        return value;
    }
    static void SetScreenValue(int number, const WCHAR* name, DWORD value) {
        RegistryKey key(HKEY_CURRENT_USER, ScreenKey(number).c_str());
        WriteDwordValue(key.Get(), name, value);
    }
};

TEST_F(DevicesTest, MirroringDeviceIsSkippedAndTheTenthDeviceIgnored) {
    std::vector<platform::DisplayDeviceDescription> displays;
    for (LONG i = 0; i < 11; ++i) {
        auto display = Display({i * 800, 0, i * 800 + 800, 600}, i == 0);
        display.adapterString = L"Adapter " + std::to_wstring(i);
        display.mirroring = i == 2;
        displays.push_back(display);
    }
    UseDisplays(displays);
    platform::sim::SetAdapters({});
    auto saver = Start(kModeSettings);
    ASSERT_EQ(saver->monitorCount_, 9);
    EXPECT_EQ(saver->monitors_[1].adapterDescription, L"Adapter 1");
    EXPECT_EQ(saver->monitors_[2].adapterDescription, L"Adapter 3");
    EXPECT_EQ(saver->monitors_[8].adapterDescription, L"Adapter 9");
    const RECT& rect = saver->monitors_[8].rect;
    EXPECT_EQ(rect.left, 9 * 800);
    EXPECT_EQ(rect.right - rect.left, 800);
    EXPECT_NE(saver->monitors_[8].monitor, nullptr);
    // Ten adapters exist; the table takes nine.
    EXPECT_EQ(saver->d3d_->GetAdapterCount(), 10u);
    EXPECT_EQ(saver->adapterCount_, 9u);
    EXPECT_EQ(saver->monitors_[8].adapterIndex, 8);
}

TEST_F(DevicesTest, ModesAreCollectedOnceAndSorted) {
    AdapterDescription adapter;
    adapter.modes = {Mode(1280, 1024), Mode(800, 600), Mode(640, 480), Mode(1024, 768), Mode(800, 600),
                     Mode(1024, 600), Mode(320, 240), Mode(1280, 720)};
    platform::sim::SetAdapters({adapter});
    auto saver = Start(kModeSettings);
    ASSERT_EQ(saver->adapterCount_, 1u);
    const DeviceRecord& device = saver->adapters_[0]->devices[0];
    const std::vector<std::pair<DWORD, DWORD>> expected = {{640, 480},   {800, 600},   {1024, 600},
                                                           {1024, 768},  {1280, 720},  {1280, 1024}};
    ASSERT_EQ(device.modeCount, expected.size());
    for (UINT i = 0; i < device.modeCount; ++i) {
        EXPECT_EQ(device.modes[i].width, expected[i].first) << i;
        EXPECT_EQ(device.modes[i].height, expected[i].second) << i;
        EXPECT_EQ(device.modes[i].format, static_cast<DWORD>(D3DFMT_X8R8G8B8));
        EXPECT_EQ(device.modes[i].depthStencilFormat, static_cast<DWORD>(D3DFMT_D16));
    }
    EXPECT_TRUE(device.windowedCapable);
    EXPECT_EQ(device.kind, D3DDEVTYPE_HAL);
}

TEST_F(DevicesTest, AdapterWithoutBumpMappingIsRefused) {
    AdapterDescription adapter;
    adapter.bumpEnvMap = false;
    adapter.softwareDevice = true;
    platform::sim::SetAdapters({adapter});
    auto saver = Start(kModeFullScreen);
    EXPECT_TRUE(saver->errorMode_);
    EXPECT_EQ(saver->errorCode_, kErrorNoCompatibleDevices);
    EXPECT_TRUE(saver->adapters_[0]->hardwareFormatsPass);
    EXPECT_FALSE(saver->adapters_[0]->hardwareUsable);
    EXPECT_FALSE(saver->adapters_[0]->softwareUsable);
}

TEST_F(DevicesTest, AdapterWithoutV8U8TexturesIsRefusedButAnotherServes) {
    UseDisplays({Display({0, 0, 1024, 768}, true), Display({1024, 0, 2048, 768})});
    AdapterDescription refused;
    refused.v8u8Textures = false;
    platform::sim::SetAdapters({refused, AdapterDescription{}});
    auto saver = Start(kModeFullScreen);
    EXPECT_FALSE(saver->errorMode_);
    EXPECT_FALSE(saver->adapters_[0]->hardwareUsable);
    EXPECT_TRUE(saver->adapters_[1]->hardwareUsable);
    saver->CreateScreenUnits();
    EXPECT_FALSE(saver->errorMode_);
    ASSERT_EQ(saver->unitCount_, 1);
    EXPECT_EQ(saver->units_[0].monitorIndex, 1);
}

TEST_F(DevicesTest, FullScreenUnitsUseTheDesktopModeOnEveryMonitor) {
    UseDisplays({Display({0, 0, 1024, 768}, true), Display({1024, 0, 2304, 1024})});
    platform::sim::SetAdapters({AdapterDescription{}, AdapterDescription{}});
    auto saver = Start(kModeFullScreen);
    saver->CreateScreenUnits();
    ASSERT_FALSE(saver->errorMode_);
    ASSERT_EQ(saver->unitCount_, 2);
    EXPECT_EQ(saver->units_[0].presentParameters.BackBufferWidth, 1024u);
    EXPECT_EQ(saver->units_[1].presentParameters.BackBufferWidth, 1280u);
    EXPECT_EQ(saver->units_[1].presentParameters.BackBufferHeight, 1024u);
    EXPECT_FALSE(saver->units_[1].presentParameters.Windowed);
    EXPECT_EQ(saver->units_[1].presentParameters.AutoDepthStencilFormat, D3DFMT_D16);
    EXPECT_EQ(saver->calls, (std::vector<std::string>{"Attach 0", "Activate 0", "Attach 1", "Activate 1"}));
}

TEST_F(DevicesTest, FailingSavedModeStepsDownAndSavesTheModeThatWorked) {
    AdapterDescription adapter;
    adapter.modes = {Mode(800, 600), Mode(1024, 768), Mode(1280, 1024)};
    adapter.failingModes = {Mode(1280, 1024)};
    platform::sim::SetAdapters({adapter});
    SetScreenValue(1, L"Width", 1280);
    SetScreenValue(1, L"Height", 1024);
    SetScreenValue(1, L"Format", D3DFMT_X8R8G8B8);

    auto saver = Start(kModeFullScreen);
    EXPECT_EQ(saver->adapters_[0]->savedWidth, 1280u);
    saver->CreateScreenUnits();
    ASSERT_FALSE(saver->errorMode_);
    ASSERT_EQ(saver->unitCount_, 1);
    EXPECT_EQ(saver->units_[0].presentParameters.BackBufferWidth, 1024u);
    EXPECT_EQ(saver->units_[0].presentParameters.BackBufferHeight, 768u);
    EXPECT_EQ(ScreenValue(1, L"Width"), 1024u);
    EXPECT_EQ(ScreenValue(1, L"Height"), 768u);
    EXPECT_EQ(ScreenValue(1, L"Format"), static_cast<DWORD>(D3DFMT_X8R8G8B8));

    GUID stored{};
    DWORD size = sizeof(stored);
    RegistryKey key(HKEY_CURRENT_USER, ScreenKey(1).c_str());
    ASSERT_EQ(RegQueryValueExW(key.Get(), L"Adapter ID", nullptr, nullptr, reinterpret_cast<BYTE*>(&stored), &size),
              ERROR_SUCCESS);
    EXPECT_EQ(stored, saver->adapters_[0]->identifier.DeviceIdentifier);
}

TEST_F(DevicesTest, ModeThatWorksAtOnceIsNotWritten) {
    auto saver = Start(kModeFullScreen);
    saver->CreateScreenUnits();
    ASSERT_EQ(saver->unitCount_, 1);
    EXPECT_EQ(ScreenValue(1, L"Width"), 0xDEADBEEFu);
}

TEST_F(DevicesTest, HardwareDisabledWithoutSoftwareDeviceLeavesTheMonitorBlack) {
    SetScreenValue(1, L"Disable Hardware", 1);
    auto saver = Start(kModeFullScreen);
    saver->CreateScreenUnits();
    EXPECT_FALSE(saver->errorMode_);
    EXPECT_EQ(saver->unitCount_, 0);
    EXPECT_EQ(saver->adapters_[0]->leaveBlack, 1u);
    EXPECT_TRUE(IsWindow(saver->monitors_[0].window));
}

TEST_F(DevicesTest, HardwareDisabledUsesTheSoftwareDevice) {
    AdapterDescription adapter;
    adapter.softwareDevice = true;
    platform::sim::SetAdapters({adapter});
    SetScreenValue(1, L"Disable Hardware", 1);
    auto saver = Start(kModeFullScreen);
    saver->CreateScreenUnits();
    ASSERT_EQ(saver->unitCount_, 1);
    EXPECT_EQ(saver->units_[0].kind, D3DDEVTYPE_SW);
}

TEST_F(DevicesTest, WindowedUnitDrawsIntoTheTestWindow) {
    auto saver = Start(kModeTest);
    saver->CreateScreenUnits();
    ASSERT_FALSE(saver->errorMode_);
    ASSERT_EQ(saver->unitCount_, 1);
    const D3DPRESENT_PARAMETERS& present = saver->units_[0].presentParameters;
    EXPECT_TRUE(present.Windowed);
    EXPECT_EQ(present.SwapEffect, D3DSWAPEFFECT_COPY);
    EXPECT_EQ(present.hDeviceWindow, saver->mainWindow_);
    RECT client{};
    GetClientRect(saver->mainWindow_, &client);
    EXPECT_EQ(client.right, 600);
    EXPECT_EQ(client.bottom, 400);
}

TEST_F(DevicesTest, PreviewDeviceFailureShowsNoPreviewAvailable) {
    const HWND parent = CreateParentWindow(152, 112);
    ASSERT_NE(parent, nullptr);
    RECT client{};
    GetClientRect(parent, &client);
    AdapterDescription adapter;
    adapter.failingModes = {Mode(static_cast<UINT>(client.right), static_cast<UINT>(client.bottom))};
    platform::sim::SetAdapters({adapter});
    {
        auto saver = Start(kModePreview, parent);
        ASSERT_NE(saver->mainWindow_, nullptr);
        saver->CreateScreenUnits();
        EXPECT_TRUE(saver->errorMode_);
        EXPECT_EQ(saver->errorCode_, kErrorNoPreview);
        EXPECT_EQ(saver->unitCount_, 0);
    }
    DestroyWindow(parent);
}

TEST_F(DevicesTest, TestWindowDeviceFailureIsNoDevice) {
    AdapterDescription adapter;
    adapter.failingModes = {Mode(600, 400)};
    platform::sim::SetAdapters({adapter});
    auto saver = Start(kModeTest);
    saver->CreateScreenUnits();
    EXPECT_EQ(saver->errorCode_, kErrorNoDevice);
}

struct DeviceObjectsCase {
    std::vector<std::string> failing;
    bool error;
};

class DeviceObjectsTest : public DevicesTest, public ::testing::WithParamInterface<DeviceObjectsCase> {};

// A failure on one unit neither stops the other units nor the other call.
TEST_P(DeviceObjectsTest, EveryUnitIsAttachedAndActivated) {
    UseDisplays({Display({0, 0, 1024, 768}, true), Display({1024, 0, 2048, 768})});
    platform::sim::SetAdapters({AdapterDescription{}, AdapterDescription{}});
    auto saver = Start(kModeFullScreen);
    saver->failing = GetParam().failing;
    saver->CreateScreenUnits();
    EXPECT_EQ(saver->calls, (std::vector<std::string>{"Attach 0", "Activate 0", "Attach 1", "Activate 1"}));
    EXPECT_EQ(saver->errorMode_, GetParam().error);
    EXPECT_EQ(saver->errorCode_, GetParam().error ? kErrorDeviceObjectsFailed : S_OK);
}

INSTANTIATE_TEST_SUITE_P(Failures, DeviceObjectsTest,
                         ::testing::Values(DeviceObjectsCase{{}, false}, DeviceObjectsCase{{"Attach 0"}, true},
                                           DeviceObjectsCase{{"Activate 0"}, true},
                                           DeviceObjectsCase{{"Attach 1"}, true},
                                           DeviceObjectsCase{{"Activate 1"}, true}));

struct DepthStencilCase {
    std::vector<D3DFORMAT> missingSurfaces;
    std::vector<D3DFORMAT> missingMatches;
    D3DFORMAT expected;  // D3DFMT_UNKNOWN: none
};

class DepthStencilTest : public DevicesTest, public ::testing::WithParamInterface<DepthStencilCase> {};

TEST_P(DepthStencilTest, FirstFormatPassingBothChecksInOrder) {
    const DepthStencilCase& c = GetParam();
    AdapterDescription adapter;
    adapter.missingDepthStencilSurfaces = c.missingSurfaces;
    adapter.missingDepthStencilMatches = c.missingMatches;
    platform::sim::SetAdapters({adapter});
    auto saver = Start(kModeSettings);
    D3DFORMAT chosen = D3DFMT_UNKNOWN;
    EXPECT_EQ(saver->ChooseDepthStencilFormat(0, D3DDEVTYPE_HAL, D3DFMT_X8R8G8B8, &chosen),
              c.expected != D3DFMT_UNKNOWN);
    if (c.expected == D3DFMT_UNKNOWN) {
        EXPECT_FALSE(saver->adapters_[0]->hardwareUsable);
        return;
    }
    EXPECT_EQ(chosen, c.expected);
    EXPECT_EQ(saver->adapters_[0]->devices[0].modes[0].depthStencilFormat, static_cast<DWORD>(c.expected));
}

INSTANTIATE_TEST_SUITE_P(
    Adapters, DepthStencilTest,
    ::testing::Values(DepthStencilCase{{}, {}, D3DFMT_D16},
                      DepthStencilCase{{D3DFMT_D16}, {}, D3DFMT_D24X8},
                      DepthStencilCase{{}, {D3DFMT_D16}, D3DFMT_D24X8},
                      DepthStencilCase{{D3DFMT_D16}, {D3DFMT_D24X8}, D3DFMT_D24S8},
                      DepthStencilCase{{D3DFMT_D16, D3DFMT_D24X8, D3DFMT_D24S8}, {}, D3DFMT_D24X4S4},
                      DepthStencilCase{{D3DFMT_D16, D3DFMT_D24X8}, {D3DFMT_D24S8, D3DFMT_D24X4S4}, D3DFMT_D32},
                      // D15S1 is never a candidate.
                      DepthStencilCase{{D3DFMT_D16, D3DFMT_D24X8, D3DFMT_D24S8, D3DFMT_D24X4S4, D3DFMT_D32},
                                       {},
                                       D3DFMT_UNKNOWN}));

DeviceMode ModeOf(DWORD width, DWORD height, D3DFORMAT format) {
    return DeviceMode{width, height, static_cast<DWORD>(format), 0, 0};
}

struct StepDownCase {
    const char* name;
    std::vector<DeviceMode> modes;
    UINT current;
    int expected;  // -1: nothing left to try
};

class StepDownTest : public ::testing::TestWithParam<StepDownCase> {};

TEST_P(StepDownTest, PicksTheNextModeWorthTrying) {
    const StepDownCase& c = GetParam();
    DeviceRecord device;
    device.modeCount = static_cast<UINT>(c.modes.size());
    std::copy(c.modes.begin(), c.modes.end(), device.modes);
    device.chosenMode = c.current;
    EXPECT_EQ(StepDownDisplayMode(device), c.expected >= 0);
    EXPECT_EQ(device.chosenMode, c.expected >= 0 ? static_cast<UINT>(c.expected) : c.current);
}

INSTANTIATE_TEST_SUITE_P(
    Modes, StepDownTest,
    ::testing::Values(
        StepDownCase{"SameSizeIn16Bits",
                     {ModeOf(800, 600, D3DFMT_X8R8G8B8), ModeOf(1024, 768, D3DFMT_X8R8G8B8),
                      ModeOf(1024, 768, D3DFMT_R5G6B5)},
                     1, 2},
        StepDownCase{"LargestSmallerModeIn32BitsFrom16",
                     {ModeOf(640, 480, D3DFMT_X8R8G8B8), ModeOf(800, 600, D3DFMT_R5G6B5),
                      ModeOf(800, 600, D3DFMT_X8R8G8B8), ModeOf(1024, 768, D3DFMT_R5G6B5)},
                     3, 2},
        StepDownCase{"SmallerModeWhenNoSameSize16BitMode",
                     {ModeOf(640, 480, D3DFMT_R5G6B5), ModeOf(640, 480, D3DFMT_X8R8G8B8),
                      ModeOf(800, 600, D3DFMT_X8R8G8B8)},
                     2, 1},
        StepDownCase{"Another32BitFormatOfTheSameSizeIsNotTaken",
                     {ModeOf(640, 480, D3DFMT_X8R8G8B8), ModeOf(1024, 768, D3DFMT_X8R8G8B8),
                      ModeOf(1024, 768, D3DFMT_A8R8G8B8)},
                     1, 0},
        StepDownCase{"SmallestModeHasNothingLeft",
                     {ModeOf(640, 480, D3DFMT_X8R8G8B8), ModeOf(800, 600, D3DFMT_X8R8G8B8)}, 0, -1}),
    [](const ::testing::TestParamInfo<StepDownCase>& info) { return std::string(info.param.name); });

struct CompareCase {
    D3DDISPLAYMODE a;
    D3DDISPLAYMODE b;
    int expected;
};

class CompareModesTest : public ::testing::TestWithParam<CompareCase> {};

TEST_P(CompareModesTest, WidthThenHeightThenTheLargerFormatFirst) {
    const CompareCase& c = GetParam();
    EXPECT_EQ(CompareDisplayModes(c.a, c.b), c.expected);
    EXPECT_EQ(CompareDisplayModes(c.b, c.a), -c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Modes, CompareModesTest,
    ::testing::Values(CompareCase{{640, 480, 60, D3DFMT_X8R8G8B8}, {800, 600, 60, D3DFMT_X8R8G8B8}, -1},
                      CompareCase{{800, 1024, 60, D3DFMT_X8R8G8B8}, {1024, 600, 60, D3DFMT_X8R8G8B8}, -1},
                      CompareCase{{800, 480, 60, D3DFMT_R5G6B5}, {800, 600, 60, D3DFMT_X8R8G8B8}, -1},
                      CompareCase{{800, 600, 60, D3DFMT_R5G6B5}, {800, 600, 60, D3DFMT_X8R8G8B8}, -1},
                      CompareCase{{800, 600, 60, D3DFMT_X8R8G8B8}, {800, 600, 75, D3DFMT_X8R8G8B8}, 0}));

}  // namespace
}  // namespace host_test
