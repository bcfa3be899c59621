// What an effect leaves on the device: Begin with flags 0 saves every state
// its passes set and End puts it back; D3DXFX_DONOTSAVESTATE leaves the
// passes' states. And device loss: an effect lets its render targets go.
#include "platform/d3dx9_effects/effect_fixture.h"

namespace d3d9_test {
namespace {

constexpr std::string_view kBlending = R"(
texture Picture
sampler PictureSampler = Picture
    AddressU = CLAMP
    MinFilter = POINT
technique Add
    pass First
        AlphaBlendEnable = TRUE
        SrcBlend = ONE
        DestBlend = ONE
        PictureSampler.AddressV = MIRROR
        fragment
void main() { fragColour = Picture ? texture(PictureSampler, texCoord0.xy) : vec4(0.0, 1.0, 0.0, 1.0); }
        end
    pass Second
        CullMode = CW
        ZEnable = FALSE
        fragment
void main() { fragColour = vec4(0.0); }
        end
)";

struct DeviceStates {
    DWORD blend, src, dest, cull, zEnable, addressU, addressV, minFilter;
    IDirect3DBaseTexture9* texture;  // not a reference: compared only
    IDirect3DPixelShader9* shader;   // the same

    static DeviceStates Of(IDirect3DDevice9* device) {
        DeviceStates s{};
        device->GetRenderState(D3DRS_ALPHABLENDENABLE, &s.blend);
        device->GetRenderState(D3DRS_SRCBLEND, &s.src);
        device->GetRenderState(D3DRS_DESTBLEND, &s.dest);
        device->GetRenderState(D3DRS_CULLMODE, &s.cull);
        device->GetRenderState(D3DRS_ZENABLE, &s.zEnable);
        device->GetSamplerState(0, D3DSAMP_ADDRESSU, &s.addressU);
        device->GetSamplerState(0, D3DSAMP_ADDRESSV, &s.addressV);
        device->GetSamplerState(0, D3DSAMP_MINFILTER, &s.minFilter);
        Com<IDirect3DBaseTexture9> texture;
        device->GetTexture(0, texture.out());
        s.texture = texture.get();
        Com<IDirect3DPixelShader9> shader;
        device->GetPixelShader(shader.out());
        s.shader = shader.get();
        return s;
    }
};

class EffectStateTest : public EffectTest {
protected:
    void SetUp() override {
        EffectTest::SetUp();
        *effect_.out() = Create(kBlending);
        ASSERT_NE(effect_.get(), nullptr);
        *before_.out() = SolidTexture(0xFFFFFFFF);
        *picture_.out() = SolidTexture(0xFF0000FF);
        ASSERT_EQ(effect_->SetTexture("Picture", picture_.get()), D3D_OK);
        ASSERT_EQ(device()->SetTexture(0, before_.get()), D3D_OK);
        ASSERT_EQ(device()->SetRenderState(D3DRS_SRCBLEND, D3DBLEND_SRCALPHA), D3D_OK);
        ASSERT_EQ(device()->SetSamplerState(0, D3DSAMP_MINFILTER, D3DTEXF_LINEAR), D3D_OK);
    }

    Com<ID3DXEffect> effect_;
    Com<IDirect3DTexture9> before_, picture_;
};

TEST_F(EffectStateTest, EndPutsBackWhatThePassesSet) {
    const DeviceStates before = DeviceStates::Of(device());
    DrawPasses(effect_.get());
    const DeviceStates after = DeviceStates::Of(device());
    EXPECT_EQ(after.blend, before.blend);
    EXPECT_EQ(after.src, static_cast<DWORD>(D3DBLEND_SRCALPHA));
    EXPECT_EQ(after.dest, before.dest);
    EXPECT_EQ(after.cull, before.cull);
    EXPECT_EQ(after.zEnable, before.zEnable);
    EXPECT_EQ(after.addressU, before.addressU);
    EXPECT_EQ(after.addressV, before.addressV);
    EXPECT_EQ(after.minFilter, static_cast<DWORD>(D3DTEXF_LINEAR));
    EXPECT_EQ(after.texture, before_.get());
    EXPECT_EQ(after.shader, nullptr);
    // The next fixed-function draw neither adds nor samples the effect's picture.
    ASSERT_EQ(device()->SetTexture(0, nullptr), D3D_OK);
    ASSERT_EQ(device()->Clear(0, nullptr, D3DCLEAR_TARGET, 0xFF404040, 1.f, 0), D3D_OK);
    const ScreenVertex quad[] = {{-0.5f, 15.5f, 0.f, 1.f, 0xFFFF0000},
                                 {-0.5f, -0.5f, 0.f, 1.f, 0xFFFF0000},
                                 {15.5f, 15.5f, 0.f, 1.f, 0xFFFF0000},
                                 {15.5f, -0.5f, 0.f, 1.f, 0xFFFF0000}};
    ASSERT_EQ(device()->SetFVF(kScreenFvf), D3D_OK);
    ASSERT_EQ(device()->DrawPrimitiveUP(D3DPT_TRIANGLESTRIP, 2, quad, sizeof quad[0]), D3D_OK);
    EXPECT_TRUE(ColoursNear(Pixel(8, 8), 0xFF0000));
}

TEST_F(EffectStateTest, DoNotSaveStateLeavesThePassesStates) {
    DrawPasses(effect_.get(), D3DXFX_DONOTSAVESTATE);
    const DeviceStates after = DeviceStates::Of(device());
    EXPECT_EQ(after.blend, static_cast<DWORD>(TRUE));
    EXPECT_EQ(after.src, static_cast<DWORD>(D3DBLEND_ONE));
    EXPECT_EQ(after.dest, static_cast<DWORD>(D3DBLEND_ONE));
    EXPECT_EQ(after.cull, static_cast<DWORD>(D3DCULL_CW));
    EXPECT_EQ(after.zEnable, static_cast<DWORD>(D3DZB_FALSE));
    EXPECT_EQ(after.addressU, static_cast<DWORD>(D3DTADDRESS_CLAMP));
    EXPECT_EQ(after.addressV, static_cast<DWORD>(D3DTADDRESS_MIRROR));
    EXPECT_EQ(after.minFilter, static_cast<DWORD>(D3DTEXF_POINT));
    EXPECT_EQ(after.texture, picture_.get());
    EXPECT_NE(after.shader, nullptr);
    EXPECT_EQ(device()->SetPixelShader(nullptr), D3D_OK);
}

TEST_F(EffectStateTest, CallsOutOfOrderAreRefused) {
    EXPECT_EQ(effect_->BeginPass(0), D3DERR_INVALIDCALL);
    EXPECT_EQ(effect_->End(), D3DERR_INVALIDCALL);
    UINT passes = 0;
    ASSERT_EQ(effect_->Begin(&passes, 0), D3D_OK);
    EXPECT_EQ(passes, 2u);
    EXPECT_EQ(effect_->Begin(&passes, 0), D3DERR_INVALIDCALL);
    EXPECT_EQ(effect_->BeginPass(2), D3DERR_INVALIDCALL);
    EXPECT_EQ(effect_->CommitChanges(), D3DERR_INVALIDCALL);
    ASSERT_EQ(effect_->BeginPass(0), D3D_OK);
    EXPECT_EQ(effect_->BeginPass(1), D3DERR_INVALIDCALL);
    EXPECT_EQ(effect_->EndPass(), D3D_OK);
    EXPECT_EQ(effect_->End(), D3D_OK);
}

using EffectResetTest = EffectTest;

TEST_F(EffectResetTest, LostDeviceLetsRenderTargetsGoSoThatResetRuns) {
    Com<ID3DXEffect> effect(Create(kBlending));
    ASSERT_NE(effect.get(), nullptr);
    {
        Com<IDirect3DTexture9> target;
        ASSERT_EQ(device()->CreateTexture(16, 16, 1, D3DUSAGE_RENDERTARGET, D3DFMT_A8R8G8B8, D3DPOOL_DEFAULT,
                                          target.out(), nullptr),
                  D3D_OK);
        ASSERT_EQ(effect->SetTexture("Picture", target.get()), D3D_OK);
    }
    // The effect's reference alone keeps the target, and Reset refuses.
    D3DPRESENT_PARAMETERS again = presentation();
    EXPECT_EQ(device()->Reset(&again), D3DERR_INVALIDCALL);
    ASSERT_EQ(effect->OnLostDevice(), D3D_OK);
    again = presentation();
    ASSERT_EQ(device()->Reset(&again), D3D_OK);
    ASSERT_EQ(effect->OnResetDevice(), D3D_OK);
    ASSERT_EQ(device()->Clear(0, nullptr, D3DCLEAR_TARGET, 0xFF000000, 1.f, 0), D3D_OK);
    DrawPasses(effect.get());
    // The parameter reads as unset: the first pass draws its green.
    EXPECT_TRUE(ColoursNear(Pixel(8, 8), 0x00FF00));
}

TEST_F(EffectResetTest, LostDeviceKeepsManagedTextures) {
    Com<ID3DXEffect> effect(Create(kBlending));
    ASSERT_NE(effect.get(), nullptr);
    Com<IDirect3DTexture9> picture(SolidTexture(0xFF0000FF));
    ASSERT_EQ(effect->SetTexture("Picture", picture.get()), D3D_OK);
    ASSERT_EQ(effect->OnLostDevice(), D3D_OK);
    D3DPRESENT_PARAMETERS again = presentation();
    ASSERT_EQ(device()->Reset(&again), D3D_OK);
    ASSERT_EQ(effect->OnResetDevice(), D3D_OK);
    ASSERT_EQ(device()->Clear(0, nullptr, D3DCLEAR_TARGET, 0xFF000000, 1.f, 0), D3D_OK);
    DrawPasses(effect.get());
    EXPECT_TRUE(ColoursNear(Pixel(8, 8), 0x0000FF));
}

}  // namespace
}  // namespace d3d9_test
