// D3DX9 effects: techniques of passes with their states and programs,
// driven by named parameters.
#pragma once

#include <d3d9.h>
#include <d3dx9core.h>
#include <d3dx9math.h>

// Parameters and techniques are addressed by their names.
typedef LPCSTR D3DXHANDLE;

#define D3DXFX_DONOTSAVESTATE (1 << 0)
#define D3DXFX_DONOTSAVESHADERSTATE (1 << 1)
#define D3DXFX_DONOTSAVESAMPLERSTATE (1 << 2)

typedef struct _D3DXMACRO {
    LPCSTR Name;
    LPCSTR Definition;
} D3DXMACRO, *LPD3DXMACRO;

struct ID3DXInclude;
typedef ID3DXInclude* LPD3DXINCLUDE;
struct ID3DXEffectPool;
typedef ID3DXEffectPool* LPD3DXEFFECTPOOL;

DEFINE_GUID(IID_ID3DXBaseEffect, 0x017C18AC, 0x103F, 0x4417, 0x8C, 0x51, 0x6B, 0xF6, 0xEF, 0x1E, 0x56, 0xBE);
DEFINE_GUID(IID_ID3DXEffect, 0xF6CEB4B3, 0x4E4C, 0x40DD, 0xB8, 0x83, 0x8D, 0x8D, 0xE5, 0xEA, 0x0C, 0xD5);

struct ID3DXBaseEffect : IUnknown {
    STDMETHOD_(D3DXHANDLE, GetParameterByName)(D3DXHANDLE parameter, LPCSTR name) PURE;
    STDMETHOD_(D3DXHANDLE, GetTechniqueByName)(LPCSTR name) PURE;
    STDMETHOD(SetBool)(D3DXHANDLE parameter, BOOL b) PURE;
    STDMETHOD(SetInt)(D3DXHANDLE parameter, INT n) PURE;
    STDMETHOD(SetFloat)(D3DXHANDLE parameter, FLOAT f) PURE;
    STDMETHOD(SetFloatArray)(D3DXHANDLE parameter, const FLOAT* pf, UINT count) PURE;
    STDMETHOD(SetVector)(D3DXHANDLE parameter, const D3DXVECTOR4* vector) PURE;
    STDMETHOD(SetMatrix)(D3DXHANDLE parameter, const D3DXMATRIX* matrix) PURE;
    STDMETHOD(SetTexture)(D3DXHANDLE parameter, LPDIRECT3DBASETEXTURE9 texture) PURE;

protected:
    ~ID3DXBaseEffect() = default;
};

struct ID3DXEffect : ID3DXBaseEffect {
    STDMETHOD(SetTechnique)(D3DXHANDLE technique) PURE;
    STDMETHOD(Begin)(UINT* passes, DWORD flags) PURE;
    STDMETHOD(BeginPass)(UINT pass) PURE;
    STDMETHOD(CommitChanges)() PURE;
    STDMETHOD(EndPass)() PURE;
    STDMETHOD(End)() PURE;
    STDMETHOD(GetDevice)(LPDIRECT3DDEVICE9* device) PURE;
    STDMETHOD(OnLostDevice)() PURE;
    STDMETHOD(OnResetDevice)() PURE;

protected:
    ~ID3DXEffect() = default;
};
typedef ID3DXEffect* LPD3DXEFFECT;

HRESULT WINAPI D3DXCreateEffect(LPDIRECT3DDEVICE9 device, LPCVOID srcData, UINT srcDataLen,
                                const D3DXMACRO* defines, LPD3DXINCLUDE include, DWORD flags,
                                LPD3DXEFFECTPOOL pool, LPD3DXEFFECT* effect, LPD3DXBUFFER* compilationErrors);
