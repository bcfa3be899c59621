// Textures from picture files: D3DXCreateTextureFromFileInMemoryEx and
// the calls built on it.
#include "d3dx9/colour_key.h"
#include "com/com_ref.h"
#include "d3dx9/picture_decoder.h"
#include "d3dx9/resample.h"
#include "d3dx9/texture_levels.h"
#include "d3dx9/texture_plan.h"
#include "kernel/file_path.h"

#include <d3dx9.h>

#include <fstream>
#include <iterator>
#include <limits>

namespace platform::d3dx9 {
namespace {

constexpr DWORD kDefaultFilter = D3DX_FILTER_TRIANGLE | D3DX_FILTER_DITHER;
constexpr DWORD kDefaultMipFilter = D3DX_FILTER_BOX;

bool SameSize(const Pixels& pixels, const D3DSURFACE_DESC& desc) {
    return WidthOf(pixels) == desc.Width && HeightOf(pixels) == desc.Height;
}

// Level 0 from the picture, scaled with filter; lower levels from the
// file's own levels where their size fits, else each from the one above
// with mipFilter (left as created with D3DX_FILTER_NONE).
HRESULT FillTexture(IDirect3DTexture9* texture, Picture& picture, DWORD filter, DWORD mipFilter, D3DCOLOR colourKey) {
    Pixels above;
    for (UINT level = 0; level < texture->GetLevelCount(); ++level) {
        D3DSURFACE_DESC desc{};
        HRESULT result = texture->GetLevelDesc(level, &desc);
        if (FAILED(result)) return result;
        bool fromFile = level < picture.levels.size() && SameSize(picture.levels[level], desc);
        // The file's bytes go in unchanged when nothing would change them.
        if (fromFile && colourKey == 0 && desc.Format == picture.info.Format && level < picture.storedLevels.size() &&
            SUCCEEDED(CopyLevelBytes(texture, level, picture.storedLevels[level]))) {
            above = std::move(picture.levels[level]);
            continue;
        }
        if (level > 0 && !fromFile) {
            if ((mipFilter & 0xFF) == D3DX_FILTER_NONE) return D3D_OK;
            return FilterLevels(texture, level - 1, std::move(above), mipFilter);
        }
        Pixels pixels = std::move(picture.levels[fromFile ? level : 0]);
        ApplyColourKey(pixels, colourKey);
        if (!fromFile) pixels = Resample(pixels, desc.Width, desc.Height, filter);
        result = WriteLevel(texture, level, pixels);
        if (FAILED(result)) return result;
        above = std::move(pixels);
    }
    return D3D_OK;
}

}  // namespace
}  // namespace platform::d3dx9

using namespace platform::d3dx9;
using platform::ComRef;

HRESULT WINAPI D3DXCreateTextureFromFileInMemoryEx(LPDIRECT3DDEVICE9 device, LPCVOID srcData, UINT srcDataSize,
                                                   UINT width, UINT height, UINT mipLevels, DWORD usage,
                                                   D3DFORMAT format, D3DPOOL pool, DWORD filter, DWORD mipFilter,
                                                   D3DCOLOR colorKey, D3DXIMAGE_INFO* srcInfo, PALETTEENTRY*,
                                                   LPDIRECT3DTEXTURE9* texture) {
    if (texture) *texture = nullptr;
    filter = FilterOrDefault(filter, kDefaultFilter);
    mipFilter = FilterOrDefault(mipFilter, kDefaultMipFilter);
    if (!device || !srcData || srcDataSize == 0 || !texture || !IsValidFilter(filter) || !IsValidFilter(mipFilter))
        return D3DERR_INVALIDCALL;

    Picture picture;
    HRESULT result =
        DecodePicture({static_cast<const BYTE*>(srcData), srcDataSize}, DecodeDepth::Pixels, picture);
    if (FAILED(result)) return result;
    TexturePlan plan{};
    result = PlanTexture(device, width, height, mipLevels, usage, format, &picture.info, plan);
    if (FAILED(result)) return result;

    ComRef<IDirect3DTexture9> created;
    result = device->CreateTexture(plan.width, plan.height, plan.levels, usage, plan.format, pool, created.out(),
                                   nullptr);
    if (FAILED(result)) return result;
    D3DXIMAGE_INFO info = picture.info;
    result = FillTexture(created.get(), picture, filter, mipFilter, colorKey);
    if (FAILED(result)) return result;
    if (srcInfo) *srcInfo = info;
    *texture = created.Detach();
    return D3D_OK;
}

HRESULT WINAPI D3DXCreateTextureFromFileInMemory(LPDIRECT3DDEVICE9 device, LPCVOID srcData, UINT srcDataSize,
                                                 LPDIRECT3DTEXTURE9* texture) {
    return D3DXCreateTextureFromFileInMemoryEx(device, srcData, srcDataSize, D3DX_DEFAULT, D3DX_DEFAULT, D3DX_DEFAULT,
                                               0, D3DFMT_UNKNOWN, D3DPOOL_MANAGED, D3DX_DEFAULT, D3DX_DEFAULT, 0,
                                               nullptr, nullptr, texture);
}

HRESULT WINAPI D3DXCreateTextureFromFileExW(LPDIRECT3DDEVICE9 device, LPCWSTR srcFile, UINT width, UINT height,
                                            UINT mipLevels, DWORD usage, D3DFORMAT format, D3DPOOL pool,
                                            DWORD filter, DWORD mipFilter, D3DCOLOR colorKey,
                                            D3DXIMAGE_INFO* srcInfo, PALETTEENTRY* palette,
                                            LPDIRECT3DTEXTURE9* texture) {
    if (texture) *texture = nullptr;
    if (!device || !srcFile || !texture) return D3DERR_INVALIDCALL;
    // A missing or unreadable file is reported as D3DX does: invalid data.
    std::ifstream file(platform::NativePath(srcFile), std::ios::binary);
    if (!file) return D3DXERR_INVALIDDATA;
    std::vector<BYTE> bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    if (bytes.empty() || bytes.size() > std::numeric_limits<UINT>::max()) return D3DXERR_INVALIDDATA;
    return D3DXCreateTextureFromFileInMemoryEx(device, bytes.data(), UINT(bytes.size()), width, height, mipLevels,
                                               usage, format, pool, filter, mipFilter, colorKey, srcInfo, palette,
                                               texture);
}
