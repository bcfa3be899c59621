#include "scene/render/render_target_pair.h"

#include <d3dx9.h>

#include "scene/render/current_device.h"

namespace {

void BindTopLevel(IDirect3DTexture9* texture)
{
    SharedCom<IDirect3DSurface9> surface;
    if (texture && SUCCEEDED(texture->GetSurfaceLevel(0, surface.Receive())))
        g_currentDevice->SetRenderTarget(0, surface.Get());
}

}  // namespace

void RenderTargetPair::Create(UINT w, UINT h)
{
    width = w;
    height = h;
    if (w == 0 || h == 0)
        return;
    Release();
    for (TextureHolder& texture : textures)
        CreateRenderTargetTexture(texture, w, h);
    current = textures[index];
    D3DSURFACE_DESC description{};
    if (current && SUCCEEDED(current->GetLevelDesc(0, &description))) {
        width = description.Width;
        height = description.Height;
    }
}

void RenderTargetPair::CopyFrom(IDirect3DTexture9* source, UINT w, UINT h)
{
    Create(w, h);
    width = w;
    height = h;
    SharedCom<IDirect3DSurface9> from, to;
    if (source && current && SUCCEEDED(source->GetSurfaceLevel(0, from.Receive())) &&
        SUCCEEDED(current->GetSurfaceLevel(0, to.Receive())))
        D3DXLoadSurfaceFromSurface(to.Get(), nullptr, nullptr, from.Get(), nullptr, nullptr, D3DX_FILTER_TRIANGLE, 0);
}

const TextureHolder& RenderTargetPair::Flip(D3DCOLOR clear)
{
    index = (index + 1) % 2;
    current = textures[index];
    BindTopLevel(current.Get());
    g_currentDevice->Clear(0, nullptr, D3DCLEAR_TARGET, clear, 1.0f, 0);
    return textures[1 - index];
}

void RenderTargetPair::Begin(const RenderTargetPair& target)
{
    g_currentDevice->GetRenderTarget(0, savedTarget.Receive());
    g_currentDevice->GetDepthStencilSurface(savedDepthStencil.Receive());
    BindTopLevel(target.current.Get());
    g_currentDevice->SetDepthStencilSurface(nullptr);
}

void RenderTargetPair::End()
{
    if (!savedTarget)
        return;
    g_currentDevice->SetRenderTarget(0, savedTarget.Get());
    g_currentDevice->SetDepthStencilSurface(savedDepthStencil.Get());
    savedTarget.Reset();
    savedDepthStencil.Reset();
}

void RenderTargetPair::Release()
{
    current.Reset();
    for (TextureHolder& texture : textures)
        texture.Reset();
}
