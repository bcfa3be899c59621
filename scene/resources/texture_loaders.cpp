#include "scene/resources/texture_loaders.h"

#include "scene/document/dds_resource.h"
#include "scene/render/current_device.h"

namespace {

HRESULT CreateFromBytes(const BYTE* bytes, UINT size, UINT mipLevels, DWORD filter, DWORD mipFilter,
                        D3DXIMAGE_INFO* info, IDirect3DTexture9** texture) {
    *texture = nullptr;
    if (info != nullptr) {
        *info = {};
    }
    if (bytes == nullptr || size == 0) {
        return E_FAIL;
    }
    return D3DXCreateTextureFromFileInMemoryEx(g_currentDevice, bytes, size, D3DX_DEFAULT, D3DX_DEFAULT, mipLevels,
                                               0, D3DFMT_UNKNOWN, D3DPOOL_MANAGED, filter, mipFilter, 0, info,
                                               nullptr, texture);
}

HRESULT CreateFromResource(HMODULE module, int id, UINT mipLevels, DWORD filter, DWORD mipFilter,
                           D3DXIMAGE_INFO* info, IDirect3DTexture9** texture) {
    const auto bytes = FindDdsResource(module, id);
    if (!bytes) {
        return CreateFromBytes(nullptr, 0, mipLevels, filter, mipFilter, info, texture);
    }
    return CreateFromBytes(bytes->data(), static_cast<UINT>(bytes->size()), mipLevels, filter, mipFilter, info,
                           texture);
}

}  // namespace

HRESULT LoadTextureFromResource(int id, bool fullMips, IDirect3DTexture9** texture) {
    return CreateFromResource(nullptr, id, fullMips ? D3DX_DEFAULT : 1, D3DX_FILTER_NONE,
                              fullMips ? D3DX_DEFAULT : D3DX_FILTER_NONE, nullptr, texture);
}

HRESULT LoadTextureFromModuleResource(HMODULE module, int id, IDirect3DTexture9** texture, D3DXIMAGE_INFO* info) {
    return CreateFromResource(module, id, 1, D3DX_FILTER_TRIANGLE, D3DX_FILTER_NONE, info, texture);
}

HRESULT LoadTextureFromMemory(const BYTE* bytes, UINT size, IDirect3DTexture9** texture, D3DXIMAGE_INFO* info) {
    return CreateFromBytes(bytes, size, 1, D3DX_FILTER_TRIANGLE, D3DX_FILTER_NONE, info, texture);
}

HRESULT LoadTextureFromFile(const kv_string& path, IDirect3DTexture9** texture, D3DXIMAGE_INFO* info) {
    *texture = nullptr;
    *info = {};
    return D3DXCreateTextureFromFileExW(g_currentDevice, path.c_str(), D3DX_DEFAULT, D3DX_DEFAULT, 1, 0,
                                        D3DFMT_UNKNOWN, D3DPOOL_MANAGED, D3DX_FILTER_TRIANGLE, D3DX_FILTER_NONE, 0,
                                        info, nullptr, texture);
}
