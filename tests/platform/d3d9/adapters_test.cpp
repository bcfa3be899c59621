// The Direct3D object's view of the machine: adapters, modes, caps and
// format checks, as a host that picks devices asks for them.
#include "platform/d3d9/d3d9_machine.h"

#include <string>

namespace d3d9_test {
namespace {

using AdaptersTest = D3D9Test;
using platform::sim::AdapterDescription;

HMONITOR MonitorAt(LONG x, LONG y) { return MonitorFromPoint({x, y}, MONITOR_DEFAULTTONULL); }

std::string NarrowDeviceName(HMONITOR monitor) {
    MONITORINFOEXW info{};
    info.cbSize = sizeof info;
    EXPECT_TRUE(GetMonitorInfoW(monitor, &info));
    std::string narrow;
    for (const wchar_t* c = info.szDevice; *c; ++c) narrow += static_cast<char>(*c);
    return narrow;
}

TEST_F(AdaptersTest, OneAdapterPerMonitorThePrimaryFirst) {
    ASSERT_EQ(direct3D()->GetAdapterCount(), 2u);
    EXPECT_EQ(direct3D()->GetAdapterMonitor(0), MonitorAt(0, 0));
    EXPECT_EQ(direct3D()->GetAdapterMonitor(1), MonitorAt(700, 10));
    EXPECT_EQ(direct3D()->GetAdapterMonitor(2), nullptr);

    for (UINT adapter = 0; adapter < 2; ++adapter) {
        D3DADAPTER_IDENTIFIER9 identifier{};
        ASSERT_EQ(direct3D()->GetAdapterIdentifier(adapter, 0, &identifier), D3D_OK);
        EXPECT_EQ(identifier.DeviceName, NarrowDeviceName(direct3D()->GetAdapterMonitor(adapter)));
        EXPECT_STRNE(identifier.Description, "");  // the GL renderer
    }
    D3DADAPTER_IDENTIFIER9 identifier{};
    EXPECT_EQ(direct3D()->GetAdapterIdentifier(2, 0, &identifier), D3DERR_INVALIDCALL);

    D3DDISPLAYMODE mode{};
    ASSERT_EQ(direct3D()->GetAdapterDisplayMode(1, &mode), D3D_OK);
    EXPECT_EQ(mode.Width, 800u);
    EXPECT_EQ(mode.Height, 600u);
    EXPECT_EQ(mode.Format, D3DFMT_X8R8G8B8);
}

// The identifier is the "Adapter ID" a host saves: another run (another
// Direct3D object) must find the same, and the two adapters differ.
TEST_F(AdaptersTest, DeviceIdentifierStaysTheSameForTheSameAdapter) {
    Com<IDirect3D9> again(Direct3DCreate9(D3D_SDK_VERSION));
    D3DADAPTER_IDENTIFIER9 first{}, second{}, firstAgain{};
    ASSERT_EQ(direct3D()->GetAdapterIdentifier(0, 0, &first), D3D_OK);
    ASSERT_EQ(direct3D()->GetAdapterIdentifier(1, 0, &second), D3D_OK);
    ASSERT_EQ(again->GetAdapterIdentifier(0, 0, &firstAgain), D3D_OK);
    EXPECT_TRUE(IsEqualGUID(first.DeviceIdentifier, firstAgain.DeviceIdentifier));
    EXPECT_FALSE(IsEqualGUID(first.DeviceIdentifier, second.DeviceIdentifier));
    EXPECT_FALSE(IsEqualGUID(first.DeviceIdentifier, GUID_NULL));
}

TEST_F(AdaptersTest, ModesComeFromTheDisplayInBothDisplayFormats) {
    for (D3DFORMAT format : {D3DFMT_X8R8G8B8, D3DFMT_R5G6B5}) {
        ASSERT_EQ(direct3D()->GetAdapterModeCount(1, format), 2u);
        D3DDISPLAYMODE small{}, large{};
        ASSERT_EQ(direct3D()->EnumAdapterModes(1, format, 0, &small), D3D_OK);
        ASSERT_EQ(direct3D()->EnumAdapterModes(1, format, 1, &large), D3D_OK);
        EXPECT_EQ(small.Width, 640u);
        EXPECT_EQ(large.Width, 800u);
        EXPECT_EQ(large.Height, 600u);
        EXPECT_EQ(large.Format, format);
        EXPECT_EQ(direct3D()->EnumAdapterModes(1, format, 2, &large), D3DERR_INVALIDCALL);
    }
    EXPECT_EQ(direct3D()->GetAdapterModeCount(0, D3DFMT_A8R8G8B8), 0u);
}

// What a host's device choice asks of the hardware device: transform and
// lighting, a pure device, BUMPENVMAP with V8U8 textures, and a depth
// format in the order D16, D24X8, D24S8, D24X4S4, D32.
TEST_F(AdaptersTest, HardwareDevicePassesTheHostsChecks) {
    D3DCAPS9 caps{};
    ASSERT_EQ(direct3D()->GetDeviceCaps(0, D3DDEVTYPE_HAL, &caps), D3D_OK);
    EXPECT_EQ(caps.DeviceType, D3DDEVTYPE_HAL);
    EXPECT_TRUE(caps.DevCaps & D3DDEVCAPS_HWTRANSFORMANDLIGHT);
    EXPECT_TRUE(caps.DevCaps & D3DDEVCAPS_PUREDEVICE);
    EXPECT_TRUE(caps.TextureOpCaps & D3DTEXOPCAPS_BUMPENVMAP);
    EXPECT_GE(caps.MaxTextureBlendStages, 4u);
    EXPECT_GE(caps.MaxSimultaneousTextures, 4u);
    EXPECT_GE(caps.MaxActiveLights, 8u);
    EXPECT_GE(caps.MaxVertexIndex, 0xFFFFu + 1);
    EXPECT_GE(caps.MaxPrimitiveCount, 1048575u);
    EXPECT_GE(caps.MaxTextureWidth, 8192u);
    EXPECT_FALSE(caps.TextureCaps & D3DPTEXTURECAPS_POW2);

    const D3DFORMAT desktop = D3DFMT_X8R8G8B8;
    EXPECT_EQ(direct3D()->CheckDeviceType(0, D3DDEVTYPE_HAL, desktop, desktop, FALSE), D3D_OK);
    EXPECT_EQ(direct3D()->CheckDeviceType(0, D3DDEVTYPE_HAL, desktop, desktop, TRUE), D3D_OK);
    EXPECT_EQ(direct3D()->CheckDeviceType(0, D3DDEVTYPE_HAL, D3DFMT_R5G6B5, D3DFMT_R5G6B5, FALSE), D3D_OK);
    EXPECT_EQ(direct3D()->CheckDeviceFormat(0, D3DDEVTYPE_HAL, desktop, 0, D3DRTYPE_TEXTURE, D3DFMT_V8U8), D3D_OK);

    D3DFORMAT chosen = D3DFMT_UNKNOWN;
    for (D3DFORMAT candidate : {D3DFMT_D16, D3DFMT_D24X8, D3DFMT_D24S8, D3DFMT_D24X4S4, D3DFMT_D32}) {
        if (direct3D()->CheckDeviceFormat(0, D3DDEVTYPE_HAL, desktop, D3DUSAGE_DEPTHSTENCIL, D3DRTYPE_SURFACE,
                                          candidate) == D3D_OK &&
            direct3D()->CheckDepthStencilMatch(0, D3DDEVTYPE_HAL, desktop, desktop, candidate) == D3D_OK) {
            chosen = candidate;
            break;
        }
    }
    EXPECT_EQ(chosen, D3DFMT_D16);
}

// On the real machine, as on Windows without a registered software
// rasteriser, only the hardware device exists; the reference one never.
TEST_F(AdaptersTest, OnlyTheHardwareDeviceIsOffered) {
    D3DCAPS9 caps{};
    EXPECT_EQ(direct3D()->GetDeviceCaps(0, D3DDEVTYPE_SW, &caps), D3DERR_NOTAVAILABLE);
    EXPECT_EQ(direct3D()->GetDeviceCaps(0, D3DDEVTYPE_REF, &caps), D3DERR_NOTAVAILABLE);
    EXPECT_EQ(direct3D()->CheckDeviceType(0, D3DDEVTYPE_SW, D3DFMT_X8R8G8B8, D3DFMT_X8R8G8B8, FALSE),
              D3DERR_NOTAVAILABLE);
    EXPECT_EQ(direct3D()->GetDeviceCaps(2, D3DDEVTYPE_HAL, &caps), D3DERR_INVALIDCALL);
}

struct FormatCase {
    const char* name;
    DWORD usage;
    D3DRESOURCETYPE type;
    D3DFORMAT format;
    HRESULT expected;
};

void PrintTo(const FormatCase& value, std::ostream* out) { *out << value.name; }

class FormatCheckTest : public D3D9Test, public testing::WithParamInterface<FormatCase> {};

TEST_P(FormatCheckTest, AsTypicalHardware) {
    const FormatCase& check = GetParam();
    EXPECT_EQ(direct3D()->CheckDeviceFormat(0, D3DDEVTYPE_HAL, D3DFMT_X8R8G8B8, check.usage, check.type,
                                            check.format),
              check.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Formats, FormatCheckTest,
    testing::Values(FormatCase{"V8U8Texture", 0, D3DRTYPE_TEXTURE, D3DFMT_V8U8, D3D_OK},
                    FormatCase{"A8R8G8B8Texture", 0, D3DRTYPE_TEXTURE, D3DFMT_A8R8G8B8, D3D_OK},
                    FormatCase{"Dxt5Texture", 0, D3DRTYPE_TEXTURE, D3DFMT_DXT5, D3D_OK},
                    FormatCase{"R8G8B8Texture", 0, D3DRTYPE_TEXTURE, D3DFMT_R8G8B8, D3DERR_NOTAVAILABLE},
                    FormatCase{"P8Texture", 0, D3DRTYPE_TEXTURE, D3DFMT_P8, D3DERR_NOTAVAILABLE},
                    FormatCase{"A8R8G8B8Target", D3DUSAGE_RENDERTARGET, D3DRTYPE_TEXTURE, D3DFMT_A8R8G8B8, D3D_OK},
                    FormatCase{"V8U8Target", D3DUSAGE_RENDERTARGET, D3DRTYPE_TEXTURE, D3DFMT_V8U8,
                               D3DERR_NOTAVAILABLE},
                    FormatCase{"D16", D3DUSAGE_DEPTHSTENCIL, D3DRTYPE_SURFACE, D3DFMT_D16, D3D_OK},
                    FormatCase{"D24X8", D3DUSAGE_DEPTHSTENCIL, D3DRTYPE_SURFACE, D3DFMT_D24X8, D3D_OK},
                    FormatCase{"D24S8", D3DUSAGE_DEPTHSTENCIL, D3DRTYPE_SURFACE, D3DFMT_D24S8, D3D_OK},
                    FormatCase{"D32", D3DUSAGE_DEPTHSTENCIL, D3DRTYPE_SURFACE, D3DFMT_D32, D3D_OK},
                    FormatCase{"ColourAsDepth", D3DUSAGE_DEPTHSTENCIL, D3DRTYPE_SURFACE, D3DFMT_X8R8G8B8,
                               D3DERR_NOTAVAILABLE}),
    [](const testing::TestParamInfo<FormatCase>& info) { return std::string(info.param.name); });

using SimulatedAdaptersTest = D3D9Test;

TEST_F(SimulatedAdaptersTest, AdapterWithoutBumpMappingReportsSo) {
    AdapterDescription noBump;
    noBump.bumpEnvMap = false;
    UseAdapters({AdapterDescription{}, noBump});
    D3DCAPS9 caps{};
    ASSERT_EQ(direct3D()->GetDeviceCaps(1, D3DDEVTYPE_HAL, &caps), D3D_OK);
    EXPECT_FALSE(caps.TextureOpCaps & D3DTEXOPCAPS_BUMPENVMAP);
    EXPECT_TRUE(caps.TextureOpCaps & D3DTEXOPCAPS_MODULATE);
    ASSERT_EQ(direct3D()->GetDeviceCaps(0, D3DDEVTYPE_HAL, &caps), D3D_OK);
    EXPECT_TRUE(caps.TextureOpCaps & D3DTEXOPCAPS_BUMPENVMAP);
}

TEST_F(SimulatedAdaptersTest, AdapterWithoutV8U8RefusesThoseTextures) {
    AdapterDescription noV8U8;
    noV8U8.v8u8Textures = false;
    UseAdapters({noV8U8});
    EXPECT_EQ(direct3D()->CheckDeviceFormat(0, D3DDEVTYPE_HAL, D3DFMT_X8R8G8B8, 0, D3DRTYPE_TEXTURE, D3DFMT_V8U8),
              D3DERR_NOTAVAILABLE);
    EXPECT_EQ(direct3D()->CheckDeviceFormat(1, D3DDEVTYPE_HAL, D3DFMT_X8R8G8B8, 0, D3DRTYPE_TEXTURE, D3DFMT_V8U8),
              D3D_OK);
}

TEST_F(SimulatedAdaptersTest, SoftwareOnlyAdapterOffersASoftwareDevice) {
    AdapterDescription software;
    software.hardwareDevice = false;
    software.softwareDevice = true;
    UseAdapters({software});
    D3DCAPS9 caps{};
    EXPECT_EQ(direct3D()->GetDeviceCaps(0, D3DDEVTYPE_HAL, &caps), D3DERR_NOTAVAILABLE);
    EXPECT_EQ(direct3D()->CheckDeviceType(0, D3DDEVTYPE_HAL, D3DFMT_X8R8G8B8, D3DFMT_X8R8G8B8, FALSE),
              D3DERR_NOTAVAILABLE);
    ASSERT_EQ(direct3D()->GetDeviceCaps(0, D3DDEVTYPE_SW, &caps), D3D_OK);
    EXPECT_EQ(caps.DeviceType, D3DDEVTYPE_SW);
    EXPECT_FALSE(caps.DevCaps & D3DDEVCAPS_HWTRANSFORMANDLIGHT);
    EXPECT_FALSE(caps.DevCaps & D3DDEVCAPS_PUREDEVICE);
    EXPECT_EQ(direct3D()->CheckDeviceType(0, D3DDEVTYPE_SW, D3DFMT_X8R8G8B8, D3DFMT_X8R8G8B8, FALSE), D3D_OK);

    // Hardware vertex processing needs hardware transform and lighting.
    HWND window = MakeWindow(kPrimaryRect);
    D3DPRESENT_PARAMETERS presentation = Windowed(window);
    Com<IDirect3DDevice9> device;
    EXPECT_EQ(direct3D()->CreateDevice(0, D3DDEVTYPE_SW, window, D3DCREATE_HARDWARE_VERTEXPROCESSING, &presentation,
                                       device.out()),
              D3DERR_INVALIDCALL);
    EXPECT_EQ(device.get(), nullptr);
    EXPECT_EQ(direct3D()->CreateDevice(0, D3DDEVTYPE_SW, window, D3DCREATE_SOFTWARE_VERTEXPROCESSING, &presentation,
                                       device.out()),
              D3D_OK);
    D3DDEVICE_CREATION_PARAMETERS parameters{};
    ASSERT_EQ(device->GetCreationParameters(&parameters), D3D_OK);
    EXPECT_EQ(parameters.DeviceType, D3DDEVTYPE_SW);
}

TEST_F(SimulatedAdaptersTest, DescriptionAndModesComeFromTheSimulatedAdapter) {
    AdapterDescription described;
    described.description = "Test Card 9000";
    described.deviceIdentifier = GUID{0x12345678, 0x9ABC, 0xDEF0, {1, 2, 3, 4, 5, 6, 7, 8}};
    described.modes = {{1024, 768, 60, D3DFMT_X8R8G8B8}, {800, 600, 75, D3DFMT_X8R8G8B8}};
    UseAdapters({described});
    D3DADAPTER_IDENTIFIER9 identifier{};
    ASSERT_EQ(direct3D()->GetAdapterIdentifier(0, 0, &identifier), D3D_OK);
    EXPECT_STREQ(identifier.Description, "Test Card 9000");
    EXPECT_TRUE(IsEqualGUID(identifier.DeviceIdentifier, *described.deviceIdentifier));
    // The given modes, the desktop's own among them, in ascending order.
    ASSERT_EQ(direct3D()->GetAdapterModeCount(0, D3DFMT_X8R8G8B8), 3u);
    EXPECT_EQ(direct3D()->GetAdapterModeCount(0, D3DFMT_R5G6B5), 0u);
    D3DDISPLAYMODE mode{};
    ASSERT_EQ(direct3D()->EnumAdapterModes(0, D3DFMT_X8R8G8B8, 2, &mode), D3D_OK);
    EXPECT_EQ(mode.Width, 1024u);
}

TEST_F(SimulatedAdaptersTest, CreateDeviceFailsInAFailingMode) {
    AdapterDescription failing;
    failing.failingModes = {{640, 480, 0, D3DFMT_X8R8G8B8}};
    UseAdapters({AdapterDescription{}, failing});
    HWND window = MakeWindow(kSecondRect);
    D3DPRESENT_PARAMETERS presentation = FullScreen(window, 640, 480);
    Com<IDirect3DDevice9> device;
    EXPECT_EQ(direct3D()->CreateDevice(1, D3DDEVTYPE_HAL, window, D3DCREATE_HARDWARE_VERTEXPROCESSING, &presentation,
                                       device.out()),
              D3DERR_NOTAVAILABLE);
    EXPECT_EQ(device.get(), nullptr);
    presentation = FullScreen(window, 800, 600);
    EXPECT_EQ(direct3D()->CreateDevice(1, D3DDEVTYPE_HAL, window, D3DCREATE_HARDWARE_VERTEXPROCESSING, &presentation,
                                       device.out()),
              D3D_OK);
}

}  // namespace
}  // namespace d3d9_test
