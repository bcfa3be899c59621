#include "d3dx9/texture_plan.h"

#include "com/com_ref.h"
#include "d3dx9/texture_requirements.h"

namespace platform::d3dx9 {

HRESULT PlanTexture(IDirect3DDevice9* device, UINT width, UINT height, UINT levels, DWORD usage, D3DFORMAT format,
                    const D3DXIMAGE_INFO* picture, TexturePlan& plan) {
    D3DCAPS9 caps{};
    D3DDEVICE_CREATION_PARAMETERS creation{};
    D3DDISPLAYMODE mode{};
    ComRef<IDirect3D9> direct3D;
    HRESULT result = device->GetDeviceCaps(&caps);
    if (SUCCEEDED(result)) result = device->GetCreationParameters(&creation);
    if (SUCCEEDED(result)) result = device->GetDirect3D(direct3D.out());
    if (SUCCEEDED(result)) result = direct3D->GetAdapterDisplayMode(creation.AdapterOrdinal, &mode);
    if (FAILED(result)) return result;

    auto deviceTakes = [&](D3DFORMAT candidate) {
        return SUCCEEDED(direct3D->CheckDeviceFormat(creation.AdapterOrdinal, creation.DeviceType, mode.Format, usage,
                                                     D3DRTYPE_TEXTURE, candidate));
    };
    plan.format = TextureFormat(format, picture ? picture->Format : D3DFMT_UNKNOWN, deviceTakes);
    if (plan.format == D3DFMT_UNKNOWN) return D3DERR_NOTAVAILABLE;
    bool powerOfTwoOnly = (caps.TextureCaps & D3DPTEXTURECAPS_POW2) != 0 &&
                          (caps.TextureCaps & D3DPTEXTURECAPS_NONPOW2CONDITIONAL) == 0;
    UINT pictureWidth = picture ? picture->Width : 0, pictureHeight = picture ? picture->Height : 0;
    plan.width = TextureSide(width, pictureWidth, caps.MaxTextureWidth, powerOfTwoOnly, plan.format);
    plan.height = TextureSide(height, pictureHeight, caps.MaxTextureHeight, powerOfTwoOnly, plan.format);
    plan.levels = TextureLevels(levels, plan.width, plan.height, picture ? picture->MipLevels : 1);
    return D3D_OK;
}

}  // namespace platform::d3dx9
