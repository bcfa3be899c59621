// Render targets and depth-stencil surfaces the application creates.
#include "platform/d3d9_resources/resource_fixture.h"

namespace d3d9_test {
namespace {

using SurfaceTest = ResourceTest;

TEST_F(SurfaceTest, RenderTargetTakesCopiesAndReadsBack) {
    Com<IDirect3DSurface9> target;
    ASSERT_EQ(device()->CreateRenderTarget(4, 2, D3DFMT_A8R8G8B8, D3DMULTISAMPLE_NONE, 0, FALSE, target.out(),
                                           nullptr),
              D3D_OK);
    D3DSURFACE_DESC desc{};
    ASSERT_EQ(target->GetDesc(&desc), D3D_OK);
    EXPECT_EQ(desc.Usage, static_cast<DWORD>(D3DUSAGE_RENDERTARGET));
    EXPECT_EQ(desc.Pool, D3DPOOL_DEFAULT);
    EXPECT_EQ(desc.Width, 4u);

    Com<IDirect3DTexture9> source(MakeTarget(2, 1, {0xFFFF0000, 0xFF0000FF}));
    Com<IDirect3DSurface9> from(Level(source.get()));
    ASSERT_EQ(device()->StretchRect(from.get(), nullptr, target.get(), nullptr, D3DTEXF_POINT), D3D_OK);
    EXPECT_EQ(Read(target.get()), (std::vector<D3DCOLOR>{0xFFFF0000, 0xFFFF0000, 0xFF0000FF, 0xFF0000FF,
                                                         0xFFFF0000, 0xFFFF0000, 0xFF0000FF, 0xFF0000FF}));
    D3DLOCKED_RECT locked{};
    EXPECT_EQ(target->LockRect(&locked, nullptr, 0), D3DERR_INVALIDCALL);
}

TEST_F(SurfaceTest, CreationRefusesWhatCannotBeMade) {
    Com<IDirect3DSurface9> surface;
    EXPECT_EQ(device()->CreateRenderTarget(4, 4, D3DFMT_D16, D3DMULTISAMPLE_NONE, 0, FALSE, surface.out(), nullptr),
              D3DERR_INVALIDCALL);
    EXPECT_EQ(device()->CreateRenderTarget(4, 4, D3DFMT_A8R8G8B8, D3DMULTISAMPLE_4_SAMPLES, 0, FALSE, surface.out(),
                                           nullptr),
              D3DERR_NOTAVAILABLE);
    EXPECT_EQ(device()->CreateRenderTarget(4, 4, D3DFMT_A8R8G8B8, D3DMULTISAMPLE_NONE, 0, TRUE, surface.out(),
                                           nullptr),
              D3DERR_NOTAVAILABLE);
    EXPECT_EQ(device()->CreateRenderTarget(0, 4, D3DFMT_A8R8G8B8, D3DMULTISAMPLE_NONE, 0, FALSE, surface.out(),
                                           nullptr),
              D3DERR_INVALIDCALL);
    EXPECT_EQ(device()->CreateDepthStencilSurface(4, 4, D3DFMT_A8R8G8B8, D3DMULTISAMPLE_NONE, 0, FALSE,
                                                  surface.out(), nullptr),
              D3DERR_INVALIDCALL);
    EXPECT_EQ(surface.get(), nullptr);
}

// Both kinds live in the card's pool: Reset waits for them to go.
TEST_F(SurfaceTest, DepthStencilSurfaceIsDefaultPool) {
    Com<IDirect3DSurface9> depth;
    ASSERT_EQ(device()->CreateDepthStencilSurface(16, 16, D3DFMT_D24S8, D3DMULTISAMPLE_NONE, 0, TRUE, depth.out(),
                                                  nullptr),
              D3D_OK);
    D3DSURFACE_DESC desc{};
    ASSERT_EQ(depth->GetDesc(&desc), D3D_OK);
    EXPECT_EQ(desc.Usage, static_cast<DWORD>(D3DUSAGE_DEPTHSTENCIL));
    EXPECT_EQ(desc.Format, D3DFMT_D24S8);
    EXPECT_EQ(device()->ColorFill(depth.get(), nullptr, 0), D3DERR_INVALIDCALL);

    D3DPRESENT_PARAMETERS parameters = presentation_;
    EXPECT_EQ(device()->Reset(&parameters), D3DERR_INVALIDCALL);
    depth.Reset();
    parameters = presentation_;
    EXPECT_EQ(device()->Reset(&parameters), D3D_OK);
}

}  // namespace
}  // namespace d3d9_test
