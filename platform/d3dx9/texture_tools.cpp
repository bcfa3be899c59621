// D3DXCreateTexture, D3DXFilterTexture and D3DXComputeNormalMap.
#include "com/com_ref.h"
#include "d3dx9/normal_map.h"
#include "d3dx9/pixel_format.h"
#include "d3dx9/resample.h"
#include "d3dx9/texture_levels.h"
#include "d3dx9/texture_plan.h"

#include <d3dx9.h>

using namespace platform::d3dx9;
using platform::ComRef;

HRESULT WINAPI D3DXCreateTexture(LPDIRECT3DDEVICE9 device, UINT width, UINT height, UINT mipLevels, DWORD usage,
                                 D3DFORMAT format, D3DPOOL pool, LPDIRECT3DTEXTURE9* texture) {
    if (texture) *texture = nullptr;
    if (!device || !texture) return D3DERR_INVALIDCALL;
    TexturePlan plan{};
    HRESULT result = PlanTexture(device, width, height, mipLevels, usage, format, nullptr, plan);
    if (FAILED(result)) return result;
    return device->CreateTexture(plan.width, plan.height, plan.levels, usage, plan.format, pool, texture, nullptr);
}

HRESULT WINAPI D3DXFilterTexture(LPDIRECT3DBASETEXTURE9 baseTexture, const PALETTEENTRY*, UINT srcLevel,
                                 DWORD filter) {
    filter = FilterOrDefault(filter, D3DX_FILTER_BOX);
    if (!baseTexture || !IsValidFilter(filter)) return D3DERR_INVALIDCALL;
    // Only plain textures exist in this layer.
    ComRef<IDirect3DTexture9> texture;
    if (FAILED(baseTexture->QueryInterface(IID_IDirect3DTexture9, reinterpret_cast<void**>(texture.out()))))
        return D3DERR_INVALIDCALL;
    if (srcLevel == D3DX_DEFAULT) srcLevel = 0;
    if (srcLevel >= texture->GetLevelCount()) return D3DERR_INVALIDCALL;
    Pixels source;
    HRESULT result = ReadLevel(texture.get(), srcLevel, source);
    if (FAILED(result)) return result;
    return FilterLevels(texture.get(), srcLevel, std::move(source), filter);
}

HRESULT WINAPI D3DXComputeNormalMap(LPDIRECT3DTEXTURE9 texture, LPDIRECT3DTEXTURE9 srcTexture, const PALETTEENTRY*,
                                    DWORD flags, DWORD channel, FLOAT amplitude) {
    constexpr DWORD kChannels = D3DX_CHANNEL_RED | D3DX_CHANNEL_GREEN | D3DX_CHANNEL_BLUE | D3DX_CHANNEL_ALPHA |
                                D3DX_CHANNEL_LUMINANCE;
    if (!texture || !srcTexture || (channel & kChannels) == 0 || (channel & ~kChannels) != 0)
        return D3DERR_INVALIDCALL;
    D3DSURFACE_DESC desc{};
    HRESULT result = texture->GetLevelDesc(0, &desc);
    if (FAILED(result)) return result;
    Pixels heights;
    result = ReadLevel(srcTexture, 0, heights);
    if (FAILED(result)) return result;
    // A source of another size is scaled to the normal map's first.
    heights = Resample(heights, desc.Width, desc.Height, D3DX_FILTER_TRIANGLE);
    return WriteLevel(texture, 0, ComputeNormals(heights, flags, channel, amplitude, IsSignedFormat(desc.Format)));
}
