#include "host/host_fixture.h"

#include "host/registry_key.h"
#include "host/settings_values.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>

#include <unistd.h>

#include <platform/sim_dialogs.h>

namespace host_test {

HRESULT TestSaver::AcceptDevice(const D3DCAPS9& caps, DWORD behavior, D3DFORMAT backBufferFormat) {
    if (caps.AdapterOrdinal == refusingAdapter &&
        std::find(refusedDeviceTypes.begin(), refusedDeviceTypes.end(), caps.DeviceType) != refusedDeviceTypes.end())
        return E_FAIL;
    return CMoireScreensaver::AcceptDevice(caps, behavior, backBufferFormat);
}

HRESULT TestSaver::Record(const char* hook) {
    const std::string call = hook + (" " + std::to_string(currentUnit));
    calls.push_back(call);
    return std::find(failing.begin(), failing.end(), call) == failing.end() ? S_OK : E_FAIL;
}

HRESULT TestSaver::AttachDevice() { return Record("Attach"); }

HRESULT TestSaver::ActivateDevice() { return Record("Activate"); }

HRESULT TestSaver::DeactivateDevice() { return Record("Deactivate"); }

HRESULT TestSaver::DrawFrame() {
    calls.push_back("Draw " + std::to_string(currentUnit));
    ++framesDrawn;
    drawTimes.push_back(time_);
    if (afterDraw) afterDraw(*this);
    return S_OK;
}

HRESULT TestSaver::DisposeScene() {
    ++scenesDisposed;
    return S_OK;
}

void TestSaver::PaintWindow(HWND window, HDC dc) {
    CMoireScreensaver::PaintWindow(window, dc);
    if (afterPaint) afterPaint(*this);
}

LRESULT TestSaver::HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_TIMER) direct3DAtTimer.push_back(static_cast<bool>(d3d_));
    if (beforeMessage) beforeMessage(*this, window, message);
    return CMoireScreensaver::HandleMessage(window, message, wParam, lParam);
}

void HostTest::SetUp() {
    const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
    const auto folder = std::filesystem::temp_directory_path() / "saver-host-tests";
    std::filesystem::create_directories(folder);
    std::string name = std::string(test->test_suite_name()) + "." + test->name() + "." +
                       std::to_string(getpid()) + ".reg";
    std::replace(name.begin(), name.end(), '/', '_');
    registryFile_ = (folder / name).string();
    std::filesystem::remove(registryFile_);
    setenv("SAVER_REGISTRY", registryFile_.c_str(), 1);
    UseDisplays({Display({0, 0, 1024, 768}, true)});
    platform::sim::SetAdapters({platform::sim::AdapterDescription{}});
}

void HostTest::TearDown() {
    // Whatever the test left queued (a quit message among them) stays here.
    MSG message{};
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    }
    platform::sim::ResetAdapters();
    platform::sim::ResetDisplayDevices();
    platform::sim::ClearShownMessageBoxes();
    std::filesystem::remove(registryFile_);
    unsetenv("SAVER_REGISTRY");
}

platform::DisplayDeviceDescription HostTest::Display(RECT rect, bool primary) {
    platform::DisplayDeviceDescription display;
    display.adapterString = L"Simulated Display Adapter";
    display.rect = rect;
    display.primary = primary;
    return display;
}

void HostTest::UseDisplays(std::vector<platform::DisplayDeviceDescription> displays) {
    platform::sim::SetDisplayDevices(std::move(displays));
}

D3DDISPLAYMODE HostTest::Mode(UINT width, UINT height, D3DFORMAT format) {
    return D3DDISPLAYMODE{width, height, 60, format};
}

HWND HostTest::CreateParentWindow(int width, int height) {
    static const bool registered = [] {
        WNDCLASSW windowClass{};
        windowClass.lpfnWndProc = DefWindowProcW;
        windowClass.lpszClassName = L"HostTestParent";
        return RegisterClassW(&windowClass) != 0;
    }();
    if (!registered) return nullptr;
    return CreateWindowExW(0, L"HostTestParent", L"Display Properties", WS_POPUP | WS_VISIBLE, 40, 40, width, height,
                           nullptr, nullptr, nullptr, nullptr);
}

std::unique_ptr<TestSaver> HostTest::Start(SaverMode mode, HWND parent) {
    auto saver = std::make_unique<TestSaver>();
    EXPECT_EQ(saver->StartInMode(RunModeRequest{mode, parent}), S_OK);
    return saver;
}

void HostTest::StoreScreenOfAnotherAdapter() {
    RegistryKey screen(HKEY_CURRENT_USER, (std::wstring(kSettingsKeyPath) + L"Screen 1").c_str());
    RegSetValueExW(screen.Get(), L"Adapter ID", 0, REG_BINARY, reinterpret_cast<const BYTE*>(&kOtherAdapterId),
                   sizeof(kOtherAdapterId));
    WriteDwordValue(screen.Get(), L"Leave Black", 1);
    WriteDwordValue(screen.Get(), L"Disable Hardware", 1);
    WriteDwordValue(screen.Get(), L"Width", 800);
    WriteDwordValue(screen.Get(), L"Height", 600);
    WriteDwordValue(screen.Get(), L"Format", D3DFMT_X8R8G8B8);
}

}  // namespace host_test
