#include "platform/d3d9_pipeline/pipeline_fixture.h"

#include <bit>
#include <cstdlib>
#include <cstring>

namespace d3d9_test {

void PipelineTest::SetUp() {
    D3D9Test::SetUp();
    D3DPRESENT_PARAMETERS presentation = Windowed(MakeWindow({0, 0, 64, 64}));
    presentation.BackBufferWidth = width_;
    presentation.BackBufferHeight = height_;
    *device_.out() = CreateDevice(0, presentation);
    ASSERT_NE(device_.get(), nullptr);
    ASSERT_EQ(device_->Clear(0, nullptr, D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, 0xFF000000, 1.f, 0), D3D_OK);
}

void PipelineTest::TearDown() {
    device_.Reset();
    D3D9Test::TearDown();
}

void PipelineTest::DrawRect(float left, float top, float right, float bottom, D3DCOLOR colour, float z) {
    const ScreenVertex quad[] = {{left, bottom, z, 1.f, colour},
                                 {left, top, z, 1.f, colour},
                                 {right, bottom, z, 1.f, colour},
                                 {right, top, z, 1.f, colour}};
    ASSERT_EQ(device_->SetFVF(kScreenFvf), D3D_OK);
    ASSERT_EQ(device_->DrawPrimitiveUP(D3DPT_TRIANGLESTRIP, 2, quad, sizeof(ScreenVertex)), D3D_OK);
}

void PipelineTest::DrawWindings() {
    const ScreenVertex triangles[] = {
        {0.f, 0.f, 0.f, 1.f, 0xFFFFFFFF},  {7.f, 0.f, 0.f, 1.f, 0xFFFFFFFF},  {0.f, 15.f, 0.f, 1.f, 0xFFFFFFFF},
        {8.f, 0.f, 0.f, 1.f, 0xFFFFFFFF},  {8.f, 15.f, 0.f, 1.f, 0xFFFFFFFF}, {15.f, 0.f, 0.f, 1.f, 0xFFFFFFFF},
    };
    ASSERT_EQ(device_->SetFVF(kScreenFvf), D3D_OK);
    ASSERT_EQ(device_->DrawPrimitiveUP(D3DPT_TRIANGLELIST, 2, triangles, sizeof triangles[0]), D3D_OK);
}

std::vector<D3DCOLOR> PipelineTest::Pixels() {
    UINT width = 0, height = 0;
    return ReadBackBuffer(device_.get(), width, height);
}

std::vector<D3DCOLOR> PipelineTest::TargetPixels(IDirect3DSurface9* target) {
    D3DSURFACE_DESC desc{};
    target->GetDesc(&desc);
    Com<IDirect3DSurface9> copy;
    EXPECT_EQ(device_->CreateOffscreenPlainSurface(desc.Width, desc.Height, desc.Format, D3DPOOL_SYSTEMMEM, copy.out(),
                                                   nullptr),
              D3D_OK);
    EXPECT_EQ(device_->GetRenderTargetData(target, copy.get()), D3D_OK);
    D3DLOCKED_RECT locked{};
    EXPECT_EQ(copy->LockRect(&locked, nullptr, D3DLOCK_READONLY), D3D_OK);
    std::vector<D3DCOLOR> pixels(static_cast<size_t>(desc.Width) * desc.Height);
    for (UINT y = 0; y < desc.Height; ++y) {
        std::memcpy(&pixels[static_cast<size_t>(y) * desc.Width],
                    static_cast<BYTE*>(locked.pBits) + static_cast<size_t>(y) * locked.Pitch, desc.Width * 4);
    }
    copy->UnlockRect();
    for (D3DCOLOR& pixel : pixels) pixel &= 0x00FFFFFF;
    return pixels;
}

testing::AssertionResult ColoursNear(D3DCOLOR actual, D3DCOLOR expected, int tolerance) {
    for (int shift = 0; shift < 32; shift += 8) {
        const int a = static_cast<int>((actual >> shift) & 0xFF), e = static_cast<int>((expected >> shift) & 0xFF);
        if (std::abs(a - e) > tolerance) {
            return testing::AssertionFailure() << std::hex << "0x" << actual << " is not near 0x" << expected;
        }
    }
    return testing::AssertionSuccess();
}

D3DMATRIX Identity() {
    D3DMATRIX identity{};
    for (int i = 0; i < 4; ++i) identity.m[i][i] = 1.f;
    return identity;
}

float Bits(DWORD value) { return std::bit_cast<float>(value); }
DWORD FloatBits(float value) { return std::bit_cast<DWORD>(value); }

}  // namespace d3d9_test
