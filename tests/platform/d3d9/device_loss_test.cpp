// Lost devices, Reset and its refusals, the states Reset restores, and
// reference counts.
#include "platform/d3d9/d3d9_machine.h"

#include <bit>

namespace d3d9_test {
namespace {

using platform::sim::DeviceEvent;

class DeviceLossTest : public D3D9Test {
protected:
    void SetUp() override {
        D3D9Test::SetUp();
        window_ = MakeWindow({0, 0, 64, 32});
        presentation_ = Windowed(window_);
        *device_.out() = CreateDevice(0, presentation_);
        ASSERT_NE(device_.get(), nullptr);
    }
    void TearDown() override {
        device_.Reset();
        D3D9Test::TearDown();
    }
    HRESULT Present() { return device_->Present(nullptr, nullptr, nullptr, nullptr); }
    HRESULT Reset() {
        D3DPRESENT_PARAMETERS presentation = presentation_;
        return device_->Reset(&presentation);
    }

    HWND window_ = nullptr;
    D3DPRESENT_PARAMETERS presentation_{};
    Com<IDirect3DDevice9> device_;
};

TEST_F(DeviceLossTest, LostAtAFrameThenNeedsAReset) {
    platform::sim::ScheduleDeviceEvent(0, {DeviceEvent::Kind::Lost, 2, 2});
    for (int frame = 0; frame < 2; ++frame) {
        EXPECT_EQ(device_->TestCooperativeLevel(), D3D_OK);
        EXPECT_EQ(Present(), D3D_OK);
    }
    EXPECT_EQ(device_->TestCooperativeLevel(), D3DERR_DEVICELOST);
    EXPECT_EQ(Present(), D3DERR_DEVICELOST);
    EXPECT_EQ(Reset(), D3DERR_DEVICELOST);
    EXPECT_EQ(device_->TestCooperativeLevel(), D3DERR_DEVICELOST);
    EXPECT_EQ(device_->TestCooperativeLevel(), D3DERR_DEVICENOTRESET);
    EXPECT_EQ(Present(), D3DERR_DEVICELOST);
    EXPECT_EQ(Reset(), D3D_OK);
    EXPECT_EQ(device_->TestCooperativeLevel(), D3D_OK);
    EXPECT_EQ(Present(), D3D_OK);
}

TEST_F(DeviceLossTest, ScheduledResetFailureFailsOnceAndLeavesTheDeviceWaiting) {
    platform::sim::ScheduleDeviceEvent(0, {DeviceEvent::Kind::NeedsReset, 1});
    platform::sim::ScheduleDeviceEvent(0, {DeviceEvent::Kind::ResetFails, 1, 1, D3DERR_OUTOFVIDEOMEMORY});
    EXPECT_EQ(Present(), D3D_OK);
    EXPECT_EQ(device_->TestCooperativeLevel(), D3DERR_DEVICENOTRESET);
    EXPECT_EQ(Reset(), D3DERR_OUTOFVIDEOMEMORY);
    EXPECT_EQ(device_->TestCooperativeLevel(), D3DERR_DEVICENOTRESET);
    EXPECT_EQ(Reset(), D3D_OK);
    EXPECT_EQ(device_->TestCooperativeLevel(), D3D_OK);
}

// Each event belongs to its adapter: the other monitor's device goes on.
TEST_F(DeviceLossTest, EventsReachOnlyTheirAdapter) {
    HWND other = MakeWindow(kSecondRect);
    Com<IDirect3DDevice9> second(CreateDevice(1, Windowed(other)));
    platform::sim::ScheduleDeviceEvent(1, {DeviceEvent::Kind::Lost, 0, 1});
    EXPECT_EQ(device_->TestCooperativeLevel(), D3D_OK);
    EXPECT_EQ(second->TestCooperativeLevel(), D3DERR_DEVICELOST);
}

struct HeldResource {
    const char* name;
    bool backBuffer;
    bool depth;
    D3DPOOL plainPool;  // D3DPOOL_SCRATCH: none
    bool refused;
};

void PrintTo(const HeldResource& value, std::ostream* out) { *out << value.name; }

class ResetRefusalTest : public DeviceLossTest, public testing::WithParamInterface<HeldResource> {};

TEST_P(ResetRefusalTest, WhileTheApplicationHoldsWhatResetReplaces) {
    const HeldResource& held = GetParam();
    Com<IDirect3DSurface9> backBuffer, depth, plain;
    if (held.backBuffer) {
        ASSERT_EQ(device_->GetBackBuffer(0, 0, D3DBACKBUFFER_TYPE_MONO, backBuffer.out()), D3D_OK);
    }
    if (held.depth) {
        ASSERT_EQ(device_->GetDepthStencilSurface(depth.out()), D3D_OK);
    }
    if (held.plainPool != D3DPOOL_SCRATCH) {
        ASSERT_EQ(device_->CreateOffscreenPlainSurface(8, 8, D3DFMT_A8R8G8B8, held.plainPool, plain.out(), nullptr),
                  D3D_OK);
    }
    EXPECT_EQ(Reset(), held.refused ? D3DERR_INVALIDCALL : D3D_OK);
    if (held.refused) {
        EXPECT_EQ(device_->TestCooperativeLevel(), D3DERR_DEVICENOTRESET);
    }
    backBuffer.Reset();
    depth.Reset();
    plain.Reset();
    EXPECT_EQ(Reset(), D3D_OK);
    EXPECT_EQ(device_->TestCooperativeLevel(), D3D_OK);
}

INSTANTIATE_TEST_SUITE_P(
    Held, ResetRefusalTest,
    testing::Values(HeldResource{"BackBuffer", true, false, D3DPOOL_SCRATCH, true},
                    HeldResource{"DepthSurface", false, true, D3DPOOL_SCRATCH, true},
                    HeldResource{"DefaultPoolSurface", false, false, D3DPOOL_DEFAULT, true},
                    HeldResource{"SystemMemorySurface", false, false, D3DPOOL_SYSTEMMEM, false},
                    HeldResource{"Nothing", false, false, D3DPOOL_SCRATCH, false}),
    [](const testing::TestParamInfo<HeldResource>& info) { return std::string(info.param.name); });

DWORD FloatBits(float value) { return std::bit_cast<DWORD>(value); }

struct RenderStateDefault {
    D3DRENDERSTATETYPE state;
    DWORD value;
};

// A sample of Direct3D 9's documented defaults, the ones drawing leans on.
const RenderStateDefault kRenderDefaults[] = {
    {D3DRS_ZENABLE, D3DZB_TRUE},        {D3DRS_ZWRITEENABLE, TRUE},
    {D3DRS_ZFUNC, D3DCMP_LESSEQUAL},    {D3DRS_LIGHTING, TRUE},
    {D3DRS_CULLMODE, D3DCULL_CCW},      {D3DRS_ALPHABLENDENABLE, FALSE},
    {D3DRS_SRCBLEND, D3DBLEND_ONE},     {D3DRS_DESTBLEND, D3DBLEND_ZERO},
    {D3DRS_BLENDOP, D3DBLENDOP_ADD},    {D3DRS_TEXTUREFACTOR, 0xFFFFFFFF},
    {D3DRS_ALPHAFUNC, D3DCMP_ALWAYS},   {D3DRS_FILLMODE, D3DFILL_SOLID},
    {D3DRS_SHADEMODE, D3DSHADE_GOURAUD}, {D3DRS_COLORWRITEENABLE, 0xF},
    {D3DRS_FOGEND, FloatBits(1.f)},     {D3DRS_POINTSIZE_MAX, FloatBits(64.f)},
    {D3DRS_DIFFUSEMATERIALSOURCE, D3DMCS_COLOR1}, {D3DRS_STENCILMASK, 0xFFFFFFFF},
};

void ExpectDefaults(IDirect3DDevice9* device) {
    for (const RenderStateDefault& expected : kRenderDefaults) {
        DWORD value = 0;
        ASSERT_EQ(device->GetRenderState(expected.state, &value), D3D_OK);
        EXPECT_EQ(value, expected.value) << "render state " << expected.state;
    }
    for (DWORD stage = 0; stage < 8; ++stage) {
        DWORD colorOp = 0, alphaOp = 0, arg1 = 0, arg2 = 0, coordinates = 0;
        device->GetTextureStageState(stage, D3DTSS_COLOROP, &colorOp);
        device->GetTextureStageState(stage, D3DTSS_ALPHAOP, &alphaOp);
        device->GetTextureStageState(stage, D3DTSS_COLORARG1, &arg1);
        device->GetTextureStageState(stage, D3DTSS_COLORARG2, &arg2);
        device->GetTextureStageState(stage, D3DTSS_TEXCOORDINDEX, &coordinates);
        EXPECT_EQ(colorOp, stage == 0 ? D3DTOP_MODULATE : D3DTOP_DISABLE) << "stage " << stage;
        EXPECT_EQ(alphaOp, stage == 0 ? D3DTOP_SELECTARG1 : D3DTOP_DISABLE) << "stage " << stage;
        EXPECT_EQ(arg1, static_cast<DWORD>(D3DTA_TEXTURE));
        EXPECT_EQ(arg2, static_cast<DWORD>(D3DTA_CURRENT));
        EXPECT_EQ(coordinates, stage);
    }
    for (DWORD sampler : {0u, 15u, static_cast<DWORD>(D3DVERTEXTEXTURESAMPLER3)}) {
        DWORD address = 0, minFilter = 0, mipFilter = 0;
        ASSERT_EQ(device->GetSamplerState(sampler, D3DSAMP_ADDRESSU, &address), D3D_OK);
        device->GetSamplerState(sampler, D3DSAMP_MINFILTER, &minFilter);
        device->GetSamplerState(sampler, D3DSAMP_MIPFILTER, &mipFilter);
        EXPECT_EQ(address, D3DTADDRESS_WRAP);
        EXPECT_EQ(minFilter, D3DTEXF_POINT);
        EXPECT_EQ(mipFilter, D3DTEXF_NONE);
    }
    D3DMATRIX world{};
    ASSERT_EQ(device->GetTransform(D3DTS_WORLD, &world), D3D_OK);
    EXPECT_EQ(world._11, 1.f);
    EXPECT_EQ(world._41, 0.f);
}

TEST_F(DeviceLossTest, ResetBringsEveryStateBackToItsDefault) {
    ExpectDefaults(device_.get());
    ASSERT_EQ(device_->SetRenderState(D3DRS_ZENABLE, FALSE), D3D_OK);
    ASSERT_EQ(device_->SetRenderState(D3DRS_ALPHABLENDENABLE, TRUE), D3D_OK);
    ASSERT_EQ(device_->SetRenderState(D3DRS_CULLMODE, D3DCULL_NONE), D3D_OK);
    ASSERT_EQ(device_->SetRenderState(D3DRS_DESTBLEND, D3DBLEND_INVSRCALPHA), D3D_OK);
    ASSERT_EQ(device_->SetTextureStageState(0, D3DTSS_COLOROP, D3DTOP_SELECTARG1), D3D_OK);
    ASSERT_EQ(device_->SetTextureStageState(1, D3DTSS_TEXCOORDINDEX, 0), D3D_OK);
    ASSERT_EQ(device_->SetSamplerState(0, D3DSAMP_ADDRESSU, D3DTADDRESS_MIRROR), D3D_OK);
    ASSERT_EQ(device_->SetSamplerState(0, D3DSAMP_MINFILTER, D3DTEXF_LINEAR), D3D_OK);
    D3DMATRIX moved{};
    moved._11 = moved._22 = moved._33 = moved._44 = 2.f;
    ASSERT_EQ(device_->SetTransform(D3DTS_WORLD, &moved), D3D_OK);
    const D3DVIEWPORT9 small{1, 1, 8, 8, 0.f, 1.f};
    ASSERT_EQ(device_->SetViewport(&small), D3D_OK);
    // States persist until set again: a lost device keeps them too.
    platform::sim::ScheduleDeviceEvent(0, {DeviceEvent::Kind::Lost, 0, 1});
    EXPECT_EQ(device_->TestCooperativeLevel(), D3DERR_DEVICELOST);
    DWORD value = 0;
    device_->GetRenderState(D3DRS_CULLMODE, &value);
    EXPECT_EQ(value, static_cast<DWORD>(D3DCULL_NONE));

    EXPECT_EQ(device_->TestCooperativeLevel(), D3DERR_DEVICENOTRESET);
    ASSERT_EQ(Reset(), D3D_OK);
    ExpectDefaults(device_.get());
    D3DVIEWPORT9 viewport{};
    device_->GetViewport(&viewport);
    EXPECT_EQ(viewport.X, 0u);
    EXPECT_EQ(viewport.Width, 64u);
}

TEST_F(DeviceLossTest, ZEnableDefaultsToFalseWithoutAutomaticDepth) {
    D3DPRESENT_PARAMETERS presentation = presentation_;
    presentation.EnableAutoDepthStencil = FALSE;
    ASSERT_EQ(device_->Reset(&presentation), D3D_OK);
    DWORD zEnable = 1;
    ASSERT_EQ(device_->GetRenderState(D3DRS_ZENABLE, &zEnable), D3D_OK);
    EXPECT_EQ(zEnable, static_cast<DWORD>(D3DZB_FALSE));
}

TEST_F(DeviceLossTest, UnknownStatesAreRefused) {
    DWORD value = 0;
    EXPECT_EQ(device_->SetRenderState(static_cast<D3DRENDERSTATETYPE>(10), 1), D3DERR_INVALIDCALL);
    EXPECT_EQ(device_->GetRenderState(static_cast<D3DRENDERSTATETYPE>(210), &value), D3DERR_INVALIDCALL);
    EXPECT_EQ(device_->SetTextureStageState(8, D3DTSS_COLOROP, D3DTOP_DISABLE), D3DERR_INVALIDCALL);
    EXPECT_EQ(device_->SetSamplerState(16, D3DSAMP_ADDRESSU, D3DTADDRESS_WRAP), D3DERR_INVALIDCALL);
}

// Every object counts its references exactly, and what the application
// holds keeps its device (and the device its Direct3D object) alive.
TEST_F(DeviceLossTest, ReferenceCountsAreExact) {
    EXPECT_EQ(direct3D()->AddRef(), 3u);  // the test, the device, this call
    EXPECT_EQ(direct3D()->Release(), 2u);

    Com<IDirect3DSurface9> backBuffer;
    ASSERT_EQ(device_->GetBackBuffer(0, 0, D3DBACKBUFFER_TYPE_MONO, backBuffer.out()), D3D_OK);
    EXPECT_EQ(backBuffer->AddRef(), 2u);
    EXPECT_EQ(backBuffer->Release(), 1u);
    EXPECT_EQ(device_->AddRef(), 3u);  // the test, the back buffer, this call
    EXPECT_EQ(device_->Release(), 2u);

    Com<IDirect3D9> fromDevice;
    ASSERT_EQ(device_->GetDirect3D(fromDevice.out()), D3D_OK);
    EXPECT_EQ(fromDevice.get(), direct3D());
    fromDevice.Reset();

    IDirect3DSurface9* plain = nullptr;
    ASSERT_EQ(device_->CreateOffscreenPlainSurface(4, 4, D3DFMT_X8R8G8B8, D3DPOOL_SYSTEMMEM, &plain, nullptr), D3D_OK);
    IDirect3DDevice9* device = device_.Detach();
    EXPECT_EQ(device->Release(), 2u);  // the back buffer and the plain surface hold it
    EXPECT_EQ(backBuffer->Release(), 0u);
    backBuffer.Detach();
    IDirect3DDevice9* owner = nullptr;
    ASSERT_EQ(plain->GetDevice(&owner), D3D_OK);
    EXPECT_EQ(owner, device);
    EXPECT_EQ(owner->Release(), 1u);
    EXPECT_EQ(plain->Release(), 0u);  // the device goes with it
    EXPECT_EQ(direct3D()->AddRef(), 2u);
    EXPECT_EQ(direct3D()->Release(), 1u);
}

}  // namespace
}  // namespace d3d9_test
