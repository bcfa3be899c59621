#include "scene/resources/texture_loaders.h"

#include <d3dx9.h>

#include "scene/document/dds_resource.h"
#include "scene/render/current_device.h"

HRESULT LoadTextureFromResource(int id, bool fullMips, IDirect3DTexture9** texture)
{
    *texture = nullptr;
    const auto bytes = FindDdsResource(nullptr, id);
    if (!bytes || !g_currentDevice)
        return E_FAIL;
    return D3DXCreateTextureFromFileInMemoryEx(g_currentDevice, bytes->data(), static_cast<UINT>(bytes->size()),
                                               D3DX_DEFAULT, D3DX_DEFAULT, fullMips ? D3DX_DEFAULT : 1, 0,
                                               D3DFMT_UNKNOWN, D3DPOOL_MANAGED, D3DX_FILTER_NONE,
                                               fullMips ? D3DX_DEFAULT : D3DX_FILTER_NONE, 0, nullptr, nullptr,
                                               texture);
}
