// A device's queue over many frames: resources made and released every
// frame, resets between, nothing left over at the end (the sanitizers
// check the process); and the calling thread runs at most three frames
// ahead of the device's thread.
#include <atomic>
#include <chrono>
#include <cstring>
#include <future>

#include "platform/d3d9/d3d9_machine.h"
#include "platform/d3d9_resources/held_device.h"

namespace d3d9_test {
namespace {

constexpr DWORD kFvf = D3DFVF_XYZRHW | D3DFVF_DIFFUSE | D3DFVF_TEX1;

struct Vertex {
    float x, y, z, rhw;
    D3DCOLOR colour;
    float u, v;
};

constexpr Vertex kQuad[] = {{0, 0, 0.5f, 1, 0xFFFFFFFF, 0, 0},   {32, 0, 0.5f, 1, 0xFFFFFFFF, 1, 0},
                            {0, 32, 0.5f, 1, 0xFFFFFFFF, 0, 1},  {32, 0, 0.5f, 1, 0xFFFFFFFF, 1, 0},
                            {32, 32, 0.5f, 1, 0xFFFFFFFF, 1, 1}, {0, 32, 0.5f, 1, 0xFFFFFFFF, 0, 1}};

class DeviceQueueTest : public D3D9Test {
protected:
    void SetUp() override {
        D3D9Test::SetUp();
        platform::sim::SetDeviceQueue(true);
        presentation_ = Windowed(MakeWindow({0, 0, 32, 32}));
        *device_.out() = CreateDevice(0, presentation_);
        ASSERT_NE(device_.get(), nullptr);
    }
    void TearDown() override {
        device_.Reset();
        platform::sim::SetDeviceQueue(std::nullopt);
        D3D9Test::TearDown();
    }

    // One frame: a picture drawn into a target, the target onto the back
    // buffer, every resource made for it and released before it shows.
    void DrawFrame(D3DCOLOR colour) {
        IDirect3DDevice9* device = device_.get();
        Com<IDirect3DTexture9> picture, target;
        ASSERT_EQ(device->CreateTexture(16, 16, 0, 0, D3DFMT_A8R8G8B8, D3DPOOL_MANAGED, picture.out(), nullptr),
                  D3D_OK);
        ASSERT_EQ(device->CreateTexture(16, 16, 1, D3DUSAGE_RENDERTARGET, D3DFMT_A8R8G8B8, D3DPOOL_DEFAULT,
                                        target.out(), nullptr),
                  D3D_OK);
        for (DWORD level = 0; level < picture->GetLevelCount(); ++level) {
            D3DLOCKED_RECT locked{};
            ASSERT_EQ(picture->LockRect(level, &locked, nullptr, 0), D3D_OK);
            D3DSURFACE_DESC desc{};
            picture->GetLevelDesc(level, &desc);
            for (UINT y = 0; y < desc.Height; ++y) {
                auto* row = reinterpret_cast<D3DCOLOR*>(static_cast<BYTE*>(locked.pBits) + y * locked.Pitch);
                std::fill(row, row + desc.Width, colour);
            }
            picture->UnlockRect(level);
        }
        Com<IDirect3DVertexBuffer9> buffer;
        ASSERT_EQ(device->CreateVertexBuffer(sizeof kQuad, D3DUSAGE_DYNAMIC | D3DUSAGE_WRITEONLY, kFvf,
                                             D3DPOOL_DEFAULT, buffer.out(), nullptr),
                  D3D_OK);
        void* data = nullptr;
        ASSERT_EQ(buffer->Lock(0, 0, &data, D3DLOCK_DISCARD), D3D_OK);
        std::memcpy(data, kQuad, sizeof kQuad);
        buffer->Unlock();

        Com<IDirect3DSurface9> level, backBuffer;
        target->GetSurfaceLevel(0, level.out());
        device->GetBackBuffer(0, 0, D3DBACKBUFFER_TYPE_MONO, backBuffer.out());
        device->SetRenderTarget(0, level.get());
        device->Clear(0, nullptr, D3DCLEAR_TARGET, 0xFF000000, 1.f, 0);
        device->SetFVF(kFvf);
        device->SetTexture(0, picture.get());
        device->SetStreamSource(0, buffer.get(), 0, sizeof(Vertex));
        ASSERT_EQ(device->DrawPrimitive(D3DPT_TRIANGLELIST, 0, 2), D3D_OK);
        device->SetRenderTarget(0, backBuffer.get());
        device->SetTexture(0, target.get());
        ASSERT_EQ(device->DrawPrimitiveUP(D3DPT_TRIANGLELIST, 2, kQuad, sizeof(Vertex)), D3D_OK);
        device->SetTexture(0, nullptr);
        device->SetStreamSource(0, nullptr, 0, 0);
    }

    D3DPRESENT_PARAMETERS presentation_{};
    Com<IDirect3DDevice9> device_;
};

TEST_F(DeviceQueueTest, ThousandFramesWithResetsBetweenKeepWhatEachFrameDrew) {
    for (UINT frame = 0; frame < 1000; ++frame) {
        if (frame % 100 == 99) {
            ASSERT_EQ(device_->Reset(&presentation_), D3D_OK) << "frame " << frame;
        }
        DrawFrame(0xFF000000 | frame * 0x010203);
        ASSERT_EQ(device_->Present(nullptr, nullptr, nullptr, nullptr), D3D_OK);
    }
    EXPECT_EQ(PixelAt(device_.get(), 5, 5), (999u * 0x010203) & 0xFFFFFF);
}

TEST_F(DeviceQueueTest, PresentWaitsOnlyWhenThreeFramesAreQueued) {
    Gate gate;
    ASSERT_TRUE(HoldAt(device_.get(), gate));
    for (int frame = 0; frame < 3; ++frame) {
        device_->Clear(0, nullptr, D3DCLEAR_TARGET, 0xFF00FF00, 1.f, 0);
        ASSERT_EQ(device_->Present(nullptr, nullptr, nullptr, nullptr), D3D_OK);  // returns at once
    }
    auto fourth = std::async(std::launch::async, [&] { return device_->Present(nullptr, nullptr, nullptr, nullptr); });
    EXPECT_EQ(fourth.wait_for(std::chrono::milliseconds(200)), std::future_status::timeout);
    gate.Open();
    EXPECT_EQ(fourth.get(), D3D_OK);
    EXPECT_EQ(PixelAt(device_.get(), 1, 1), 0x00FF00u);
}

TEST_F(DeviceQueueTest, DrawingWithoutPresentingWaitsOnceTheQueueIsFull) {
    Gate gate;
    ASSERT_TRUE(HoldAt(device_.get(), gate));
    std::atomic<int> cleared{0};
    auto drawing = std::async(std::launch::async, [&] {
        for (; cleared < 200'000; ++cleared) device_->Clear(0, nullptr, D3DCLEAR_TARGET, 0xFF0000FF, 1.f, 0);
    });
    EXPECT_EQ(drawing.wait_for(std::chrono::seconds(2)), std::future_status::timeout);
    EXPECT_LT(cleared, 200'000);
    gate.Open();
    drawing.get();
    EXPECT_EQ(PixelAt(device_.get(), 1, 1), 0x0000FFu);
}

}  // namespace
}  // namespace d3d9_test
