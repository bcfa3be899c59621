// Vertex and index buffers: creation rules, what Lock maps and where it
// stops, descriptions.
#include <cstring>

#include "platform/d3d9_resources/resource_fixture.h"

namespace d3d9_test {
namespace {

using BufferTest = ResourceTest;

struct LockCase {
    UINT offset, size;
    HRESULT expected;
    UINT mappedOffset;  // of the pointer returned into the buffer's bytes
};

class BufferLockTest : public ResourceTest, public testing::WithParamInterface<LockCase> {};

TEST_P(BufferLockTest, MapsTheRangeAskedForAndNothingPastTheEnd) {
    const LockCase& c = GetParam();
    Com<IDirect3DVertexBuffer9> buffer;
    ASSERT_EQ(device()->CreateVertexBuffer(64, D3DUSAGE_WRITEONLY, D3DFVF_XYZ, D3DPOOL_MANAGED, buffer.out(), nullptr),
              D3D_OK);
    void* whole = nullptr;
    ASSERT_EQ(buffer->Lock(0, 0, &whole, 0), D3D_OK);
    for (int i = 0; i < 64; ++i) static_cast<BYTE*>(whole)[i] = static_cast<BYTE>(i);
    ASSERT_EQ(buffer->Unlock(), D3D_OK);

    void* data = nullptr;
    ASSERT_EQ(buffer->Lock(c.offset, c.size, &data, 0), c.expected);
    if (FAILED(c.expected)) {
        EXPECT_EQ(data, nullptr);
        return;
    }
    EXPECT_EQ(*static_cast<BYTE*>(data), static_cast<BYTE>(c.mappedOffset));
    EXPECT_EQ(buffer->Unlock(), D3D_OK);
}

INSTANTIATE_TEST_SUITE_P(Ranges, BufferLockTest,
                         testing::Values(LockCase{0, 0, D3D_OK, 0}, LockCase{16, 0, D3D_OK, 16},
                                         LockCase{16, 48, D3D_OK, 16}, LockCase{63, 1, D3D_OK, 63},
                                         LockCase{16, 49, D3DERR_INVALIDCALL, 0},
                                         LockCase{65, 0, D3DERR_INVALIDCALL, 0},
                                         LockCase{0, 0xFFFFFFFF, D3DERR_INVALIDCALL, 0},
                                         LockCase{0xFFFFFFF0, 0x20, D3DERR_INVALIDCALL, 0}));

TEST_F(BufferTest, IndexBuffersTakeSixteenAndThirtyTwoBitIndices) {
    Com<IDirect3DIndexBuffer9> shorts;
    ASSERT_EQ(device()->CreateIndexBuffer(12, D3DUSAGE_WRITEONLY, D3DFMT_INDEX16, D3DPOOL_MANAGED, shorts.out(),
                                          nullptr),
              D3D_OK);
    D3DINDEXBUFFER_DESC desc{};
    ASSERT_EQ(shorts->GetDesc(&desc), D3D_OK);
    EXPECT_EQ(desc.Format, D3DFMT_INDEX16);
    EXPECT_EQ(desc.Type, D3DRTYPE_INDEXBUFFER);
    EXPECT_EQ(desc.Usage, static_cast<DWORD>(D3DUSAGE_WRITEONLY));
    EXPECT_EQ(desc.Pool, D3DPOOL_MANAGED);
    EXPECT_EQ(desc.Size, 12u);

    Com<IDirect3DIndexBuffer9> longs;
    ASSERT_EQ(device()->CreateIndexBuffer(16, D3DUSAGE_DYNAMIC | D3DUSAGE_WRITEONLY, D3DFMT_INDEX32,
                                          D3DPOOL_DEFAULT, longs.out(), nullptr),
              D3D_OK);
    ASSERT_EQ(longs->GetDesc(&desc), D3D_OK);
    EXPECT_EQ(desc.Format, D3DFMT_INDEX32);
    EXPECT_EQ(desc.Size, 16u);
    void* data = nullptr;
    ASSERT_EQ(longs->Lock(0, 0, &data, D3DLOCK_DISCARD), D3D_OK);
    const DWORD indices[] = {0, 70000, 2, 3};
    std::memcpy(data, indices, sizeof indices);
    ASSERT_EQ(longs->Unlock(), D3D_OK);
    ASSERT_EQ(longs->Lock(4, 4, &data, D3DLOCK_NOOVERWRITE), D3D_OK);
    EXPECT_EQ(*static_cast<DWORD*>(data), 70000u);
    ASSERT_EQ(longs->Unlock(), D3D_OK);
    EXPECT_EQ(longs->Unlock(), D3DERR_INVALIDCALL);

    Com<IDirect3DIndexBuffer9> bad;
    EXPECT_EQ(device()->CreateIndexBuffer(16, 0, D3DFMT_A8R8G8B8, D3DPOOL_MANAGED, bad.out(), nullptr),
              D3DERR_INVALIDCALL);
    EXPECT_EQ(bad.get(), nullptr);
}

TEST_F(BufferTest, VertexBufferDescribesItselfAndRefusesBadRequests) {
    Com<IDirect3DVertexBuffer9> buffer;
    ASSERT_EQ(device()->CreateVertexBuffer(96, 0, D3DFVF_XYZ | D3DFVF_DIFFUSE, D3DPOOL_SYSTEMMEM, buffer.out(),
                                           nullptr),
              D3D_OK);
    D3DVERTEXBUFFER_DESC desc{};
    ASSERT_EQ(buffer->GetDesc(&desc), D3D_OK);
    EXPECT_EQ(desc.Format, D3DFMT_VERTEXDATA);
    EXPECT_EQ(desc.Type, D3DRTYPE_VERTEXBUFFER);
    EXPECT_EQ(desc.FVF, static_cast<DWORD>(D3DFVF_XYZ | D3DFVF_DIFFUSE));
    EXPECT_EQ(desc.Size, 96u);
    EXPECT_EQ(buffer->GetType(), D3DRTYPE_VERTEXBUFFER);

    Com<IDirect3DVertexBuffer9> refused;
    EXPECT_EQ(device()->CreateVertexBuffer(0, 0, 0, D3DPOOL_MANAGED, refused.out(), nullptr), D3DERR_INVALIDCALL);
    EXPECT_EQ(device()->CreateVertexBuffer(64, D3DUSAGE_DYNAMIC, 0, D3DPOOL_MANAGED, refused.out(), nullptr),
              D3DERR_INVALIDCALL);
    EXPECT_EQ(device()->CreateVertexBuffer(64, D3DUSAGE_RENDERTARGET, 0, D3DPOOL_DEFAULT, refused.out(), nullptr),
              D3DERR_INVALIDCALL);
    EXPECT_EQ(refused.get(), nullptr);
}

// A default-pool buffer holds Reset off until it is released.
TEST_F(BufferTest, DefaultPoolBufferBlocksReset) {
    Com<IDirect3DVertexBuffer9> buffer;
    ASSERT_EQ(device()->CreateVertexBuffer(64, D3DUSAGE_DYNAMIC | D3DUSAGE_WRITEONLY, 0, D3DPOOL_DEFAULT,
                                           buffer.out(), nullptr),
              D3D_OK);
    Com<IDirect3DIndexBuffer9> managed;
    ASSERT_EQ(device()->CreateIndexBuffer(8, 0, D3DFMT_INDEX16, D3DPOOL_MANAGED, managed.out(), nullptr), D3D_OK);
    D3DPRESENT_PARAMETERS parameters = presentation_;
    EXPECT_EQ(device()->Reset(&parameters), D3DERR_INVALIDCALL);
    buffer.Reset();
    parameters = presentation_;
    EXPECT_EQ(device()->Reset(&parameters), D3D_OK);
}

}  // namespace
}  // namespace d3d9_test
