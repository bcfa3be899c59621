// CreateTexture with Direct3D 9's rules for pools, usages, formats, sizes
// and mipmap chains.
#include <bit>

#include "d3d9/device.h"
#include "d3d9/formats.h"
#include "d3d9/texture.h"

namespace platform::d3d9 {
namespace {

UINT FullChainLevels(UINT width, UINT height) { return static_cast<UINT>(std::bit_width(std::max(width, height))); }

bool UsageFitsPool(DWORD usage, D3DPOOL pool) {
    if (usage & ~static_cast<DWORD>(D3DUSAGE_RENDERTARGET | D3DUSAGE_DYNAMIC)) return false;
    if ((usage & D3DUSAGE_RENDERTARGET) && (usage & D3DUSAGE_DYNAMIC)) return false;
    if ((usage & D3DUSAGE_RENDERTARGET) && pool != D3DPOOL_DEFAULT) return false;
    if ((usage & D3DUSAGE_DYNAMIC) && (pool == D3DPOOL_MANAGED || pool == D3DPOOL_SCRATCH)) return false;
    return pool <= D3DPOOL_SCRATCH;
}

bool SizeFitsCaps(const D3DCAPS9& caps, UINT width, UINT height, UINT levels) {
    if (width > caps.MaxTextureWidth || height > caps.MaxTextureHeight) return false;
    if ((caps.TextureCaps & D3DPTEXTURECAPS_POW2) == 0) return true;
    if (std::has_single_bit(width) && std::has_single_bit(height)) return true;
    return (caps.TextureCaps & D3DPTEXTURECAPS_NONPOW2CONDITIONAL) && levels == 1;
}

}  // namespace

STDMETHODIMP Device::CreateTexture(UINT width, UINT height, UINT levels, DWORD usage, D3DFORMAT format,
                                   D3DPOOL pool, IDirect3DTexture9** texture, HANDLE* sharedHandle) {
    if (!texture) return D3DERR_INVALIDCALL;
    *texture = nullptr;
    if (sharedHandle || width == 0 || height == 0 || !UsageFitsPool(usage, pool)) return D3DERR_INVALIDCALL;
    if (!IsTextureFormat(format, settings_.adapter.description.v8u8Textures)) return D3DERR_INVALIDCALL;
    // Render targets are what the GL renders into: 32-bit colour.
    if ((usage & D3DUSAGE_RENDERTARGET) && format != D3DFMT_A8R8G8B8 && format != D3DFMT_X8R8G8B8) {
        return D3DERR_INVALIDCALL;
    }
    if (IsCompressed(format) && (width % 4 != 0 || height % 4 != 0)) return D3DERR_INVALIDCALL;
    const UINT fullChain = FullChainLevels(width, height);
    if (levels == 0) levels = fullChain;
    if (levels > fullChain || !SizeFitsCaps(settings_.caps, width, height, levels)) return D3DERR_INVALIDCALL;
    if ((usage & D3DUSAGE_RENDERTARGET) && !context_->WindowAlive()) return D3DERR_INVALIDCALL;
    *texture = Texture::Create(*this, width, height, levels, usage, format, pool);
    return D3D_OK;
}

}  // namespace platform::d3d9
