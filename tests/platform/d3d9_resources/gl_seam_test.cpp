// What drawing gets from resources: GL buffers and textures holding the
// bytes last written under Lock, sent when the lock ends and only where
// they changed. The GL side is looked at on the device's own thread.
#include <cstring>

#include <epoxy/gl.h>

#include "d3d9/buffer_access.h"
#include "d3d9/device.h"
#include "d3d9/texture.h"
#include "platform/d3d9_resources/resource_fixture.h"

namespace d3d9_test {
namespace {

using platform::d3d9::AsBufferAccess;
using platform::d3d9::AsTextureBinding;
using platform::d3d9::BufferGl;
using platform::d3d9::TextureBinding;

using GlSeamTest = ResourceTest;

// Runs look on the thread that runs the device's GL work, and waits.
template <typename Look>
void OnDeviceThread(IDirect3DDevice9* device, Look look) {
    auto* own = dynamic_cast<platform::d3d9::Device*>(device);
    ASSERT_NE(own, nullptr);
    own->commands().Call([look = &look] { (*look)(); });
}

std::vector<BYTE> GlBytes(IDirect3DDevice9* device, BufferGl* buffer, size_t size) {
    std::vector<BYTE> bytes(size);
    OnDeviceThread(device, [&] {
        glBindBuffer(GL_COPY_READ_BUFFER, buffer->Name());
        glGetBufferSubData(GL_COPY_READ_BUFFER, 0, static_cast<GLsizeiptr>(size), bytes.data());
    });
    return bytes;
}

void Write(IDirect3DVertexBuffer9* buffer, UINT offset, UINT size, BYTE value, DWORD flags = 0) {
    void* data = nullptr;
    ASSERT_EQ(buffer->Lock(offset, size, &data, flags), D3D_OK);
    std::memset(data, value, size);
    ASSERT_EQ(buffer->Unlock(), D3D_OK);
}

TEST_F(GlSeamTest, VertexBufferSendsWhatLocksWrote) {
    Com<IDirect3DVertexBuffer9> buffer;
    ASSERT_EQ(device()->CreateVertexBuffer(32, D3DUSAGE_DYNAMIC | D3DUSAGE_WRITEONLY, 0, D3DPOOL_DEFAULT,
                                           buffer.out(), nullptr),
              D3D_OK);
    auto* access = AsBufferAccess(buffer.get());
    ASSERT_NE(access, nullptr);
    EXPECT_EQ(access->ByteSize(), 32u);
    // Never written: zeros, as the CPU copy starts.
    EXPECT_EQ(GlBytes(device(), access->gl(), 32), std::vector<BYTE>(32, 0));
    Write(buffer.get(), 0, 32, 1, D3DLOCK_DISCARD);
    EXPECT_EQ(GlBytes(device(), access->gl(), 32), std::vector<BYTE>(32, 1));

    // Two separate writes, and a read-only look.
    Write(buffer.get(), 4, 4, 2, D3DLOCK_NOOVERWRITE);
    Write(buffer.get(), 20, 8, 3, D3DLOCK_NOOVERWRITE);
    void* data = nullptr;
    ASSERT_EQ(buffer->Lock(0, 0, &data, D3DLOCK_READONLY), D3D_OK);
    buffer->Unlock();
    std::vector<BYTE> expected(32, 1);
    std::memset(&expected[4], 2, 4);
    std::memset(&expected[20], 3, 8);
    EXPECT_EQ(GlBytes(device(), access->gl(), 32), expected);
    EXPECT_EQ(std::memcmp(access->Contents(), expected.data(), 32), 0);
}

TEST_F(GlSeamTest, IndexBufferOffersItsBytes) {
    Com<IDirect3DIndexBuffer9> buffer;
    ASSERT_EQ(device()->CreateIndexBuffer(8, 0, D3DFMT_INDEX16, D3DPOOL_MANAGED, buffer.out(), nullptr), D3D_OK);
    void* data = nullptr;
    ASSERT_EQ(buffer->Lock(0, 0, &data, 0), D3D_OK);
    const uint16_t indices[] = {3, 1, 4, 1};
    std::memcpy(data, indices, sizeof indices);
    buffer->Unlock();
    auto* access = AsBufferAccess(buffer.get());
    ASSERT_NE(access, nullptr);
    const std::vector<BYTE> bytes(reinterpret_cast<const BYTE*>(indices), reinterpret_cast<const BYTE*>(indices) + 8);
    EXPECT_EQ(GlBytes(device(), access->gl(), 8), bytes);
}

// The GL texture holds each level's rows top first, and a change under
// LockRect reaches it when the lock ends.
TEST_F(GlSeamTest, TextureUploadsEveryLevelAfterAChange) {
    Com<IDirect3DTexture9> texture(MakeTexture(4, 2, 2, 0, D3DFMT_A8R8G8B8, D3DPOOL_MANAGED));
    for (UINT level = 0; level < 2; ++level) {
        D3DLOCKED_RECT locked{};
        ASSERT_EQ(texture->LockRect(level, &locked, nullptr, 0), D3D_OK);
        auto* pixels = static_cast<D3DCOLOR*>(locked.pBits);
        for (UINT i = 0; i < 8u >> (2 * level); ++i) pixels[i] = 0xFF000000 | (level << 16) | i;
        texture->UnlockRect(level);
    }
    TextureBinding* binding = AsTextureBinding(texture.get());
    ASSERT_NE(binding, nullptr);
    // Uploading leaves the active unit's binding alone: drawing binds
    // each stage after asking for all of them.
    GLint bound = -1;
    OnDeviceThread(device(), [&] {
        glBindTexture(GL_TEXTURE_2D, 0);
        EXPECT_NE(binding->GlTexture(), 0u);
        glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
    });
    EXPECT_EQ(bound, 0);
    const auto glPixels = [&](GLint level, size_t count) {
        std::vector<D3DCOLOR> pixels(count);
        OnDeviceThread(device(), [&] {
            glBindTexture(GL_TEXTURE_2D, binding->GlTexture());
            glGetTexImage(GL_TEXTURE_2D, level, GL_BGRA, GL_UNSIGNED_INT_8_8_8_8_REV, pixels.data());
        });
        return pixels;
    };
    EXPECT_EQ(glPixels(0, 8), (std::vector<D3DCOLOR>{0xFF000000, 0xFF000001, 0xFF000002, 0xFF000003, 0xFF000004,
                                                     0xFF000005, 0xFF000006, 0xFF000007}));
    EXPECT_EQ(glPixels(1, 2), (std::vector<D3DCOLOR>{0xFF010000, 0xFF010001}));

    const RECT second{1, 1, 2, 2};
    D3DLOCKED_RECT locked{};
    ASSERT_EQ(texture->LockRect(0, &locked, &second, 0), D3D_OK);
    *static_cast<D3DCOLOR*>(locked.pBits) = 0xFFABCDEF;
    EXPECT_EQ(glPixels(0, 8)[5], 0xFF000005u);  // not before the lock ends
    texture->UnlockRect(0);
    EXPECT_EQ(glPixels(0, 8)[5], 0xFFABCDEFu);
}

}  // namespace
}  // namespace d3d9_test
