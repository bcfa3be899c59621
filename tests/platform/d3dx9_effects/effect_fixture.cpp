#include "platform/d3dx9_effects/effect_fixture.h"

namespace d3d9_test {

void EffectTest::SetUp() {
    D3D9Test::SetUp();
    presentation_ = Windowed(MakeWindow({0, 0, 64, 64}));
    presentation_.BackBufferWidth = kSize;
    presentation_.BackBufferHeight = kSize;
    *device_.out() = CreateDevice(0, presentation_);
    ASSERT_NE(device_.get(), nullptr);
    ASSERT_EQ(device_->Clear(0, nullptr, D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, 0xFF404040, 1.f, 0), D3D_OK);
}

void EffectTest::TearDown() {
    device_.Reset();
    D3D9Test::TearDown();
}

ID3DXEffect* EffectTest::Create(std::string_view text) {
    ID3DXEffect* effect = nullptr;
    Com<ID3DXBuffer> errors;
    const HRESULT created = D3DXCreateEffect(device_.get(), text.data(), static_cast<UINT>(text.size()), nullptr,
                                             nullptr, 0, nullptr, &effect, errors.out());
    EXPECT_EQ(created, D3D_OK) << (errors.get() ? static_cast<const char*>(errors->GetBufferPointer()) : "");
    return effect;
}

void EffectTest::DrawQuad() {
    const float s = static_cast<float>(kSize);
    const ScreenTexturedVertex quad[] = {{-0.5f, s - 0.5f, 0.f, 1.f, 0.f, 1.f},
                                         {-0.5f, -0.5f, 0.f, 1.f, 0.f, 0.f},
                                         {s - 0.5f, s - 0.5f, 0.f, 1.f, 1.f, 1.f},
                                         {s - 0.5f, -0.5f, 0.f, 1.f, 1.f, 0.f}};
    ASSERT_EQ(device_->SetFVF(kScreenTexturedFvf), D3D_OK);
    ASSERT_EQ(device_->DrawPrimitiveUP(D3DPT_TRIANGLESTRIP, 2, quad, sizeof quad[0]), D3D_OK);
}

void EffectTest::DrawPasses(ID3DXEffect* effect, DWORD flags) {
    UINT passes = 0;
    ASSERT_EQ(effect->Begin(&passes, flags), D3D_OK);
    for (UINT pass = 0; pass < passes; ++pass) {
        ASSERT_EQ(effect->BeginPass(pass), D3D_OK);
        DrawQuad();
        ASSERT_EQ(effect->EndPass(), D3D_OK);
    }
    ASSERT_EQ(effect->End(), D3D_OK);
}

IDirect3DTexture9* EffectTest::SolidTexture(D3DCOLOR colour) {
    IDirect3DTexture9* texture = nullptr;
    EXPECT_EQ(device_->CreateTexture(2, 2, 1, 0, D3DFMT_A8R8G8B8, D3DPOOL_MANAGED, &texture, nullptr), D3D_OK);
    D3DLOCKED_RECT locked{};
    EXPECT_EQ(texture->LockRect(0, &locked, nullptr, 0), D3D_OK);
    for (int y = 0; y < 2; ++y) {
        auto* row = reinterpret_cast<D3DCOLOR*>(static_cast<BYTE*>(locked.pBits) + y * locked.Pitch);
        row[0] = row[1] = colour;
    }
    texture->UnlockRect(0);
    return texture;
}

}  // namespace d3d9_test
