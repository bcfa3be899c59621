// D3DXCreateEffect: the effect text parsed, every pass built, or no effect
// and the reason in the errors buffer.
#include <cstring>
#include <string_view>

#include <d3dx9.h>

#include "d3dx9/effect/effect.h"

namespace {

void ReportErrors(const std::string& message, LPD3DXBUFFER* errors) {
    if (!errors) return;
    const auto size = static_cast<DWORD>(message.size() + 1);
    if (SUCCEEDED(D3DXCreateBuffer(size, errors))) std::memcpy((*errors)->GetBufferPointer(), message.c_str(), size);
}

}  // namespace

// Macros, include handlers and pools have no use in the effect text: they
// are taken and left alone.
HRESULT WINAPI D3DXCreateEffect(LPDIRECT3DDEVICE9 device, LPCVOID srcData, UINT srcDataLen, const D3DXMACRO*,
                                LPD3DXINCLUDE, DWORD, LPD3DXEFFECTPOOL, LPD3DXEFFECT* effect,
                                LPD3DXBUFFER* compilationErrors) {
    if (compilationErrors) *compilationErrors = nullptr;
    if (!effect) return D3DERR_INVALIDCALL;
    *effect = nullptr;
    if (!device || !srcData) return D3DERR_INVALIDCALL;
    platform::d3dx9::EffectDescription description;
    std::string message;
    if (!platform::d3dx9::ParseEffect(std::string_view(static_cast<const char*>(srcData), srcDataLen), description,
                                      message)) {
        ReportErrors(message, compilationErrors);
        return D3DXERR_INVALIDDATA;
    }
    const HRESULT created = platform::d3dx9::Effect::Create(device, std::move(description), message, effect);
    if (FAILED(created)) ReportErrors(message, compilationErrors);
    return created;
}
