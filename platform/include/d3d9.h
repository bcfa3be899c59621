// Direct3D 9: the Direct3D object, devices and resources.
#pragma once

#include <objbase.h>
#include <unknwn.h>
#include <windows.h>

#include <d3d9caps.h>
#include <d3d9types.h>

#define D3D_SDK_VERSION 32
#define D3DADAPTER_DEFAULT 0
#define D3DENUM_WHQL_LEVEL 0x00000002
#define D3DCURRENT_DISPLAY_MODE 0x00EFFFFF

// Behaviour flags of CreateDevice.
#define D3DCREATE_FPU_PRESERVE 0x00000002
#define D3DCREATE_MULTITHREADED 0x00000004
#define D3DCREATE_PUREDEVICE 0x00000010
#define D3DCREATE_SOFTWARE_VERTEXPROCESSING 0x00000020
#define D3DCREATE_HARDWARE_VERTEXPROCESSING 0x00000040
#define D3DCREATE_MIXED_VERTEXPROCESSING 0x00000080
#define D3DCREATE_DISABLE_DRIVER_MANAGEMENT 0x00000100
#define D3DCREATE_ADAPTERGROUP_DEVICE 0x00000200

#define _FACD3D 0x876
#define MAKE_D3DHRESULT(code) MAKE_HRESULT(1, _FACD3D, code)
#define MAKE_D3DSTATUS(code) MAKE_HRESULT(0, _FACD3D, code)

#define D3D_OK S_OK
#define D3DERR_WRONGTEXTUREFORMAT MAKE_D3DHRESULT(2072)
#define D3DERR_UNSUPPORTEDCOLOROPERATION MAKE_D3DHRESULT(2073)
#define D3DERR_UNSUPPORTEDCOLORARG MAKE_D3DHRESULT(2074)
#define D3DERR_UNSUPPORTEDALPHAOPERATION MAKE_D3DHRESULT(2075)
#define D3DERR_UNSUPPORTEDALPHAARG MAKE_D3DHRESULT(2076)
#define D3DERR_TOOMANYOPERATIONS MAKE_D3DHRESULT(2077)
#define D3DERR_CONFLICTINGTEXTUREFILTER MAKE_D3DHRESULT(2078)
#define D3DERR_UNSUPPORTEDFACTORVALUE MAKE_D3DHRESULT(2079)
#define D3DERR_CONFLICTINGRENDERSTATE MAKE_D3DHRESULT(2081)
#define D3DERR_UNSUPPORTEDTEXTUREFILTER MAKE_D3DHRESULT(2082)
#define D3DERR_CONFLICTINGTEXTUREPALETTE MAKE_D3DHRESULT(2086)
#define D3DERR_DRIVERINTERNALERROR MAKE_D3DHRESULT(2087)
#define D3DERR_NOTFOUND MAKE_D3DHRESULT(2150)
#define D3DERR_MOREDATA MAKE_D3DHRESULT(2151)
#define D3DERR_DEVICELOST MAKE_D3DHRESULT(2152)
#define D3DERR_DEVICENOTRESET MAKE_D3DHRESULT(2153)
#define D3DERR_NOTAVAILABLE MAKE_D3DHRESULT(2154)
#define D3DERR_OUTOFVIDEOMEMORY MAKE_D3DHRESULT(380)
#define D3DERR_INVALIDDEVICE MAKE_D3DHRESULT(2155)
#define D3DERR_INVALIDCALL MAKE_D3DHRESULT(2156)
#define D3DERR_DRIVERINVALIDCALL MAKE_D3DHRESULT(2157)
#define D3DERR_WASSTILLDRAWING MAKE_D3DHRESULT(540)
#define D3DOK_NOAUTOGEN MAKE_D3DSTATUS(2159)

DEFINE_GUID(IID_IDirect3D9, 0x81BDCBCA, 0x64D4, 0x426D, 0xAE, 0x8D, 0xAD, 0x01, 0x47, 0xF4, 0x27,
            0x5C);
DEFINE_GUID(IID_IDirect3DDevice9, 0xD0223B96, 0xBF7A, 0x43FD, 0x92, 0xBD, 0xA4, 0x3B, 0x0D, 0x82,
            0xB9, 0xEB);
DEFINE_GUID(IID_IDirect3DResource9, 0x05EEC05D, 0x8F7D, 0x4362, 0xB9, 0x99, 0xD1, 0xBA, 0xF3,
            0x57, 0xC7, 0x04);
DEFINE_GUID(IID_IDirect3DBaseTexture9, 0x580CA87E, 0x1D3C, 0x4D54, 0x99, 0x1D, 0xB7, 0xD3, 0xE3,
            0xC2, 0x98, 0xCE);
DEFINE_GUID(IID_IDirect3DTexture9, 0x85C31227, 0x3DE5, 0x4F00, 0x9B, 0x3A, 0xF1, 0x1A, 0xC3, 0x8C,
            0x18, 0xB5);
DEFINE_GUID(IID_IDirect3DSurface9, 0x0CFBAF3A, 0x9FF6, 0x429A, 0x99, 0xB3, 0xA2, 0x79, 0x6A, 0xF8,
            0xB8, 0x9B);
DEFINE_GUID(IID_IDirect3DVertexBuffer9, 0xB64BB1B5, 0xFD70, 0x4DF6, 0xBF, 0x91, 0x19, 0xD0, 0xA1,
            0x24, 0x55, 0xE3);
DEFINE_GUID(IID_IDirect3DIndexBuffer9, 0x7C9DD65E, 0xD3F7, 0x4529, 0xAC, 0xEE, 0x78, 0x58, 0x30,
            0xAC, 0xDE, 0x35);
DEFINE_GUID(IID_IDirect3DVertexShader9, 0xEFC5557E, 0x6265, 0x4613, 0x8A, 0x94, 0x43, 0x85, 0x78,
            0x89, 0xEB, 0x36);
DEFINE_GUID(IID_IDirect3DPixelShader9, 0x6D3BDBDC, 0x5B02, 0x4415, 0xB8, 0x52, 0xCE, 0x5E, 0x8B,
            0xCC, 0xB2, 0x89);

// Only ever passed as NULL to Present.
typedef struct _RGNDATA RGNDATA;

struct IDirect3D9;
struct IDirect3DDevice9;
struct IDirect3DSurface9;
struct IDirect3DTexture9;
struct IDirect3DBaseTexture9;
struct IDirect3DVertexBuffer9;
struct IDirect3DIndexBuffer9;
struct IDirect3DVertexShader9;
struct IDirect3DPixelShader9;

typedef IDirect3D9* LPDIRECT3D9;
typedef IDirect3DDevice9* LPDIRECT3DDEVICE9;
typedef IDirect3DSurface9* LPDIRECT3DSURFACE9;
typedef IDirect3DTexture9* LPDIRECT3DTEXTURE9;
typedef IDirect3DBaseTexture9* LPDIRECT3DBASETEXTURE9;
typedef IDirect3DVertexBuffer9* LPDIRECT3DVERTEXBUFFER9;
typedef IDirect3DIndexBuffer9* LPDIRECT3DINDEXBUFFER9;

struct IDirect3D9 : IUnknown {
    STDMETHOD_(UINT, GetAdapterCount)() PURE;
    STDMETHOD(GetAdapterIdentifier)(UINT adapter, DWORD flags, D3DADAPTER_IDENTIFIER9* identifier) PURE;
    STDMETHOD_(UINT, GetAdapterModeCount)(UINT adapter, D3DFORMAT format) PURE;
    STDMETHOD(EnumAdapterModes)(UINT adapter, D3DFORMAT format, UINT mode, D3DDISPLAYMODE* displayMode) PURE;
    STDMETHOD(GetAdapterDisplayMode)(UINT adapter, D3DDISPLAYMODE* displayMode) PURE;
    STDMETHOD(CheckDeviceType)(UINT adapter, D3DDEVTYPE deviceType, D3DFORMAT adapterFormat,
                               D3DFORMAT backBufferFormat, BOOL windowed) PURE;
    STDMETHOD(CheckDeviceFormat)(UINT adapter, D3DDEVTYPE deviceType, D3DFORMAT adapterFormat, DWORD usage,
                                 D3DRESOURCETYPE resourceType, D3DFORMAT checkFormat) PURE;
    STDMETHOD(CheckDeviceMultiSampleType)(UINT adapter, D3DDEVTYPE deviceType, D3DFORMAT surfaceFormat,
                                          BOOL windowed, D3DMULTISAMPLE_TYPE multiSampleType,
                                          DWORD* qualityLevels) PURE;
    STDMETHOD(CheckDepthStencilMatch)(UINT adapter, D3DDEVTYPE deviceType, D3DFORMAT adapterFormat,
                                      D3DFORMAT renderTargetFormat, D3DFORMAT depthStencilFormat) PURE;
    STDMETHOD(GetDeviceCaps)(UINT adapter, D3DDEVTYPE deviceType, D3DCAPS9* caps) PURE;
    STDMETHOD_(HMONITOR, GetAdapterMonitor)(UINT adapter) PURE;
    STDMETHOD(CreateDevice)(UINT adapter, D3DDEVTYPE deviceType, HWND focusWindow, DWORD behaviorFlags,
                            D3DPRESENT_PARAMETERS* presentationParameters,
                            IDirect3DDevice9** returnedDevice) PURE;

protected:
    ~IDirect3D9() = default;
};

struct IDirect3DResource9 : IUnknown {
    STDMETHOD(GetDevice)(IDirect3DDevice9** device) PURE;
    STDMETHOD_(D3DRESOURCETYPE, GetType)() PURE;

protected:
    ~IDirect3DResource9() = default;
};

struct IDirect3DSurface9 : IDirect3DResource9 {
    STDMETHOD(GetContainer)(REFIID iid, void** container) PURE;
    STDMETHOD(GetDesc)(D3DSURFACE_DESC* desc) PURE;
    STDMETHOD(LockRect)(D3DLOCKED_RECT* lockedRect, const RECT* rect, DWORD flags) PURE;
    STDMETHOD(UnlockRect)() PURE;

protected:
    ~IDirect3DSurface9() = default;
};

struct IDirect3DBaseTexture9 : IDirect3DResource9 {
    STDMETHOD_(DWORD, SetLOD)(DWORD lodNew) PURE;
    STDMETHOD_(DWORD, GetLOD)() PURE;
    STDMETHOD_(DWORD, GetLevelCount)() PURE;

protected:
    ~IDirect3DBaseTexture9() = default;
};

struct IDirect3DTexture9 : IDirect3DBaseTexture9 {
    STDMETHOD(GetLevelDesc)(UINT level, D3DSURFACE_DESC* desc) PURE;
    STDMETHOD(GetSurfaceLevel)(UINT level, IDirect3DSurface9** surface) PURE;
    STDMETHOD(LockRect)(UINT level, D3DLOCKED_RECT* lockedRect, const RECT* rect, DWORD flags) PURE;
    STDMETHOD(UnlockRect)(UINT level) PURE;
    STDMETHOD(AddDirtyRect)(const RECT* dirtyRect) PURE;

protected:
    ~IDirect3DTexture9() = default;
};

struct IDirect3DVertexBuffer9 : IDirect3DResource9 {
    STDMETHOD(Lock)(UINT offsetToLock, UINT sizeToLock, void** data, DWORD flags) PURE;
    STDMETHOD(Unlock)() PURE;
    STDMETHOD(GetDesc)(D3DVERTEXBUFFER_DESC* desc) PURE;

protected:
    ~IDirect3DVertexBuffer9() = default;
};

struct IDirect3DIndexBuffer9 : IDirect3DResource9 {
    STDMETHOD(Lock)(UINT offsetToLock, UINT sizeToLock, void** data, DWORD flags) PURE;
    STDMETHOD(Unlock)() PURE;
    STDMETHOD(GetDesc)(D3DINDEXBUFFER_DESC* desc) PURE;

protected:
    ~IDirect3DIndexBuffer9() = default;
};

// Programmable stages: the engine unbinds them; effect passes bind theirs.
struct IDirect3DVertexShader9 : IUnknown {
    STDMETHOD(GetDevice)(IDirect3DDevice9** device) PURE;

protected:
    ~IDirect3DVertexShader9() = default;
};

struct IDirect3DPixelShader9 : IUnknown {
    STDMETHOD(GetDevice)(IDirect3DDevice9** device) PURE;

protected:
    ~IDirect3DPixelShader9() = default;
};

struct IDirect3DDevice9 : IUnknown {
    STDMETHOD(TestCooperativeLevel)() PURE;
    STDMETHOD(GetDirect3D)(IDirect3D9** direct3D) PURE;
    STDMETHOD(GetDeviceCaps)(D3DCAPS9* caps) PURE;
    STDMETHOD(GetDisplayMode)(UINT swapChain, D3DDISPLAYMODE* mode) PURE;
    STDMETHOD(GetCreationParameters)(D3DDEVICE_CREATION_PARAMETERS* parameters) PURE;
    STDMETHOD(Reset)(D3DPRESENT_PARAMETERS* presentationParameters) PURE;
    STDMETHOD(Present)(const RECT* sourceRect, const RECT* destRect, HWND destWindowOverride,
                       const RGNDATA* dirtyRegion) PURE;
    STDMETHOD(GetBackBuffer)(UINT swapChain, UINT backBuffer, D3DBACKBUFFER_TYPE type,
                             IDirect3DSurface9** surface) PURE;
    STDMETHOD(CreateTexture)(UINT width, UINT height, UINT levels, DWORD usage, D3DFORMAT format, D3DPOOL pool,
                             IDirect3DTexture9** texture, HANDLE* sharedHandle) PURE;
    STDMETHOD(CreateVertexBuffer)(UINT length, DWORD usage, DWORD fvf, D3DPOOL pool,
                                  IDirect3DVertexBuffer9** vertexBuffer, HANDLE* sharedHandle) PURE;
    STDMETHOD(CreateIndexBuffer)(UINT length, DWORD usage, D3DFORMAT format, D3DPOOL pool,
                                 IDirect3DIndexBuffer9** indexBuffer, HANDLE* sharedHandle) PURE;
    STDMETHOD(CreateRenderTarget)(UINT width, UINT height, D3DFORMAT format, D3DMULTISAMPLE_TYPE multiSample,
                                  DWORD multisampleQuality, BOOL lockable, IDirect3DSurface9** surface,
                                  HANDLE* sharedHandle) PURE;
    STDMETHOD(CreateDepthStencilSurface)(UINT width, UINT height, D3DFORMAT format,
                                         D3DMULTISAMPLE_TYPE multiSample, DWORD multisampleQuality, BOOL discard,
                                         IDirect3DSurface9** surface, HANDLE* sharedHandle) PURE;
    STDMETHOD(UpdateSurface)(IDirect3DSurface9* sourceSurface, const RECT* sourceRect,
                             IDirect3DSurface9* destinationSurface, const POINT* destPoint) PURE;
    STDMETHOD(UpdateTexture)(IDirect3DBaseTexture9* sourceTexture, IDirect3DBaseTexture9* destinationTexture) PURE;
    STDMETHOD(GetRenderTargetData)(IDirect3DSurface9* renderTarget, IDirect3DSurface9* destSurface) PURE;
    STDMETHOD(StretchRect)(IDirect3DSurface9* sourceSurface, const RECT* sourceRect, IDirect3DSurface9* destSurface,
                           const RECT* destRect, D3DTEXTUREFILTERTYPE filter) PURE;
    STDMETHOD(ColorFill)(IDirect3DSurface9* surface, const RECT* rect, D3DCOLOR color) PURE;
    STDMETHOD(CreateOffscreenPlainSurface)(UINT width, UINT height, D3DFORMAT format, D3DPOOL pool,
                                           IDirect3DSurface9** surface, HANDLE* sharedHandle) PURE;
    STDMETHOD(SetRenderTarget)(DWORD renderTargetIndex, IDirect3DSurface9* renderTarget) PURE;
    STDMETHOD(GetRenderTarget)(DWORD renderTargetIndex, IDirect3DSurface9** renderTarget) PURE;
    STDMETHOD(SetDepthStencilSurface)(IDirect3DSurface9* newZStencil) PURE;
    STDMETHOD(GetDepthStencilSurface)(IDirect3DSurface9** zStencilSurface) PURE;
    STDMETHOD(BeginScene)() PURE;
    STDMETHOD(EndScene)() PURE;
    STDMETHOD(Clear)(DWORD count, const D3DRECT* rects, DWORD flags, D3DCOLOR color, float z, DWORD stencil) PURE;
    STDMETHOD(SetTransform)(D3DTRANSFORMSTATETYPE state, const D3DMATRIX* matrix) PURE;
    STDMETHOD(GetTransform)(D3DTRANSFORMSTATETYPE state, D3DMATRIX* matrix) PURE;
    STDMETHOD(SetViewport)(const D3DVIEWPORT9* viewport) PURE;
    STDMETHOD(GetViewport)(D3DVIEWPORT9* viewport) PURE;
    STDMETHOD(SetMaterial)(const D3DMATERIAL9* material) PURE;
    STDMETHOD(GetMaterial)(D3DMATERIAL9* material) PURE;
    STDMETHOD(SetLight)(DWORD index, const D3DLIGHT9* light) PURE;
    STDMETHOD(GetLight)(DWORD index, D3DLIGHT9* light) PURE;
    STDMETHOD(LightEnable)(DWORD index, BOOL enable) PURE;
    STDMETHOD(GetLightEnable)(DWORD index, BOOL* enable) PURE;
    STDMETHOD(SetRenderState)(D3DRENDERSTATETYPE state, DWORD value) PURE;
    STDMETHOD(GetRenderState)(D3DRENDERSTATETYPE state, DWORD* value) PURE;
    STDMETHOD(GetTexture)(DWORD stage, IDirect3DBaseTexture9** texture) PURE;
    STDMETHOD(SetTexture)(DWORD stage, IDirect3DBaseTexture9* texture) PURE;
    STDMETHOD(GetTextureStageState)(DWORD stage, D3DTEXTURESTAGESTATETYPE type, DWORD* value) PURE;
    STDMETHOD(SetTextureStageState)(DWORD stage, D3DTEXTURESTAGESTATETYPE type, DWORD value) PURE;
    STDMETHOD(GetSamplerState)(DWORD sampler, D3DSAMPLERSTATETYPE type, DWORD* value) PURE;
    STDMETHOD(SetSamplerState)(DWORD sampler, D3DSAMPLERSTATETYPE type, DWORD value) PURE;
    STDMETHOD(DrawPrimitive)(D3DPRIMITIVETYPE primitiveType, UINT startVertex, UINT primitiveCount) PURE;
    STDMETHOD(DrawIndexedPrimitive)(D3DPRIMITIVETYPE primitiveType, INT baseVertexIndex, UINT minVertexIndex,
                                    UINT numVertices, UINT startIndex, UINT primitiveCount) PURE;
    STDMETHOD(DrawPrimitiveUP)(D3DPRIMITIVETYPE primitiveType, UINT primitiveCount,
                               const void* vertexStreamZeroData, UINT vertexStreamZeroStride) PURE;
    STDMETHOD(DrawIndexedPrimitiveUP)(D3DPRIMITIVETYPE primitiveType, UINT minVertexIndex, UINT numVertices,
                                      UINT primitiveCount, const void* indexData, D3DFORMAT indexDataFormat,
                                      const void* vertexStreamZeroData, UINT vertexStreamZeroStride) PURE;
    STDMETHOD(SetFVF)(DWORD fvf) PURE;
    STDMETHOD(GetFVF)(DWORD* fvf) PURE;
    STDMETHOD(SetVertexShader)(IDirect3DVertexShader9* shader) PURE;
    STDMETHOD(GetVertexShader)(IDirect3DVertexShader9** shader) PURE;
    STDMETHOD(SetStreamSource)(UINT streamNumber, IDirect3DVertexBuffer9* streamData, UINT offsetInBytes,
                               UINT stride) PURE;
    STDMETHOD(GetStreamSource)(UINT streamNumber, IDirect3DVertexBuffer9** streamData, UINT* offsetInBytes,
                               UINT* stride) PURE;
    STDMETHOD(SetIndices)(IDirect3DIndexBuffer9* indexData) PURE;
    STDMETHOD(GetIndices)(IDirect3DIndexBuffer9** indexData) PURE;
    STDMETHOD(SetPixelShader)(IDirect3DPixelShader9* shader) PURE;
    STDMETHOD(GetPixelShader)(IDirect3DPixelShader9** shader) PURE;

protected:
    ~IDirect3DDevice9() = default;
};

extern "C" IDirect3D9* WINAPI Direct3DCreate9(UINT sdkVersion);
