// IDirect3DDevice9 on one GL context. The device keeps Direct3D's state
// (StateBlock), what is set on it for drawing (DeviceBindings) and its
// presentation surfaces on the calling thread, answers every Get* from
// them, and records its GL work as commands (CommandStream) that run on
// the GL side (GlDevice): on a thread of the device's own, or at once.
// The calling thread waits only where it reads pixels back, at Present
// when it is frames ahead, and where the GL side's state must be final
// (Reset, TestCooperativeLevel, the device's end).
#pragma once

#include <memory>
#include <span>
#include <vector>

#include <d3d9.h>

#include "com/com_object.h"
#include "d3d9/adapters.h"
#include "d3d9/command_stream.h"
#include "d3d9/device_bindings.h"
#include "d3d9/device_hold.h"
#include "d3d9/device_loss.h"
#include "d3d9/gl_context.h"
#include "d3d9/gl_device.h"
#include "d3d9/pipeline/pipeline_key.h"
#include "d3d9/pipeline/vertex_input.h"
#include "d3d9/state_block.h"
#include "d3d9/surface.h"
#include "sdl/window_surface.h"
#include "window/frame_capture.h"

namespace platform::d3d9 {

struct DeviceSettings {
    Adapter adapter;
    D3DDEVTYPE type = D3DDEVTYPE_HAL;
    HWND focusWindow = nullptr;
    DWORD behaviorFlags = 0;
    D3DCAPS9 caps{};
};

class Device final : public ComObject<Implements<IDirect3DDevice9, IID_IDirect3DDevice9>>, public SurfaceUser {
public:
    // presentation: completed and checked by the caller.
    static HRESULT Create(IDirect3D9* direct3D, DeviceSettings settings,
                          const D3DPRESENT_PARAMETERS& presentation, IDirect3DDevice9** device);

    STDMETHODIMP TestCooperativeLevel() override;
    STDMETHODIMP GetDirect3D(IDirect3D9** direct3D) override;
    STDMETHODIMP GetDeviceCaps(D3DCAPS9* caps) override;
    STDMETHODIMP GetDisplayMode(UINT swapChain, D3DDISPLAYMODE* mode) override;
    STDMETHODIMP GetCreationParameters(D3DDEVICE_CREATION_PARAMETERS* parameters) override;
    STDMETHODIMP Reset(D3DPRESENT_PARAMETERS* presentationParameters) override;
    STDMETHODIMP Present(const RECT* sourceRect, const RECT* destRect, HWND destWindowOverride,
                         const RGNDATA* dirtyRegion) override;
    STDMETHODIMP GetBackBuffer(UINT swapChain, UINT backBuffer, D3DBACKBUFFER_TYPE type,
                               IDirect3DSurface9** surface) override;
    STDMETHODIMP CreateTexture(UINT width, UINT height, UINT levels, DWORD usage, D3DFORMAT format, D3DPOOL pool,
                               IDirect3DTexture9** texture, HANDLE* sharedHandle) override;
    STDMETHODIMP CreateVertexBuffer(UINT length, DWORD usage, DWORD fvf, D3DPOOL pool,
                                    IDirect3DVertexBuffer9** vertexBuffer, HANDLE* sharedHandle) override;
    STDMETHODIMP CreateIndexBuffer(UINT length, DWORD usage, D3DFORMAT format, D3DPOOL pool,
                                   IDirect3DIndexBuffer9** indexBuffer, HANDLE* sharedHandle) override;
    STDMETHODIMP CreateRenderTarget(UINT width, UINT height, D3DFORMAT format, D3DMULTISAMPLE_TYPE multiSample,
                                    DWORD multisampleQuality, BOOL lockable, IDirect3DSurface9** surface,
                                    HANDLE* sharedHandle) override;
    STDMETHODIMP CreateDepthStencilSurface(UINT width, UINT height, D3DFORMAT format,
                                           D3DMULTISAMPLE_TYPE multiSample, DWORD multisampleQuality, BOOL discard,
                                           IDirect3DSurface9** surface, HANDLE* sharedHandle) override;
    STDMETHODIMP UpdateSurface(IDirect3DSurface9* sourceSurface, const RECT* sourceRect,
                               IDirect3DSurface9* destinationSurface, const POINT* destPoint) override;
    STDMETHODIMP UpdateTexture(IDirect3DBaseTexture9* sourceTexture,
                               IDirect3DBaseTexture9* destinationTexture) override;
    STDMETHODIMP GetRenderTargetData(IDirect3DSurface9* renderTarget, IDirect3DSurface9* destSurface) override;
    STDMETHODIMP StretchRect(IDirect3DSurface9* sourceSurface, const RECT* sourceRect,
                             IDirect3DSurface9* destSurface, const RECT* destRect,
                             D3DTEXTUREFILTERTYPE filter) override;
    STDMETHODIMP ColorFill(IDirect3DSurface9* surface, const RECT* rect, D3DCOLOR color) override;
    STDMETHODIMP CreateOffscreenPlainSurface(UINT width, UINT height, D3DFORMAT format, D3DPOOL pool,
                                             IDirect3DSurface9** surface, HANDLE* sharedHandle) override;
    STDMETHODIMP SetRenderTarget(DWORD renderTargetIndex, IDirect3DSurface9* renderTarget) override;
    STDMETHODIMP GetRenderTarget(DWORD renderTargetIndex, IDirect3DSurface9** renderTarget) override;
    STDMETHODIMP SetDepthStencilSurface(IDirect3DSurface9* newZStencil) override;
    STDMETHODIMP GetDepthStencilSurface(IDirect3DSurface9** zStencilSurface) override;
    STDMETHODIMP BeginScene() override;
    STDMETHODIMP EndScene() override;
    STDMETHODIMP Clear(DWORD count, const D3DRECT* rects, DWORD flags, D3DCOLOR color, float z,
                       DWORD stencil) override;
    STDMETHODIMP SetTransform(D3DTRANSFORMSTATETYPE state, const D3DMATRIX* matrix) override;
    STDMETHODIMP GetTransform(D3DTRANSFORMSTATETYPE state, D3DMATRIX* matrix) override;
    STDMETHODIMP SetViewport(const D3DVIEWPORT9* viewport) override;
    STDMETHODIMP GetViewport(D3DVIEWPORT9* viewport) override;
    STDMETHODIMP SetMaterial(const D3DMATERIAL9* material) override;
    STDMETHODIMP GetMaterial(D3DMATERIAL9* material) override;
    STDMETHODIMP SetLight(DWORD index, const D3DLIGHT9* light) override;
    STDMETHODIMP GetLight(DWORD index, D3DLIGHT9* light) override;
    STDMETHODIMP LightEnable(DWORD index, BOOL enable) override;
    STDMETHODIMP GetLightEnable(DWORD index, BOOL* enable) override;
    STDMETHODIMP SetRenderState(D3DRENDERSTATETYPE state, DWORD value) override;
    STDMETHODIMP GetRenderState(D3DRENDERSTATETYPE state, DWORD* value) override;
    STDMETHODIMP GetTexture(DWORD stage, IDirect3DBaseTexture9** texture) override;
    STDMETHODIMP SetTexture(DWORD stage, IDirect3DBaseTexture9* texture) override;
    STDMETHODIMP GetTextureStageState(DWORD stage, D3DTEXTURESTAGESTATETYPE type, DWORD* value) override;
    STDMETHODIMP SetTextureStageState(DWORD stage, D3DTEXTURESTAGESTATETYPE type, DWORD value) override;
    STDMETHODIMP GetSamplerState(DWORD sampler, D3DSAMPLERSTATETYPE type, DWORD* value) override;
    STDMETHODIMP SetSamplerState(DWORD sampler, D3DSAMPLERSTATETYPE type, DWORD value) override;
    STDMETHODIMP DrawPrimitive(D3DPRIMITIVETYPE primitiveType, UINT startVertex, UINT primitiveCount) override;
    STDMETHODIMP DrawIndexedPrimitive(D3DPRIMITIVETYPE primitiveType, INT baseVertexIndex, UINT minVertexIndex,
                                      UINT numVertices, UINT startIndex, UINT primitiveCount) override;
    STDMETHODIMP DrawPrimitiveUP(D3DPRIMITIVETYPE primitiveType, UINT primitiveCount,
                                 const void* vertexStreamZeroData, UINT vertexStreamZeroStride) override;
    STDMETHODIMP DrawIndexedPrimitiveUP(D3DPRIMITIVETYPE primitiveType, UINT minVertexIndex, UINT numVertices,
                                        UINT primitiveCount, const void* indexData, D3DFORMAT indexDataFormat,
                                        const void* vertexStreamZeroData, UINT vertexStreamZeroStride) override;
    STDMETHODIMP SetFVF(DWORD fvf) override;
    STDMETHODIMP GetFVF(DWORD* fvf) override;
    STDMETHODIMP SetVertexShader(IDirect3DVertexShader9* shader) override;
    STDMETHODIMP GetVertexShader(IDirect3DVertexShader9** shader) override;
    STDMETHODIMP SetStreamSource(UINT streamNumber, IDirect3DVertexBuffer9* streamData, UINT offsetInBytes,
                                 UINT stride) override;
    STDMETHODIMP GetStreamSource(UINT streamNumber, IDirect3DVertexBuffer9** streamData, UINT* offsetInBytes,
                                 UINT* stride) override;
    STDMETHODIMP SetIndices(IDirect3DIndexBuffer9* indexData) override;
    STDMETHODIMP GetIndices(IDirect3DIndexBuffer9** indexData) override;
    STDMETHODIMP SetPixelShader(IDirect3DPixelShader9* shader) override;
    STDMETHODIMP GetPixelShader(IDirect3DPixelShader9** shader) override;

    // Default-pool resources alive: Reset refuses to run while any is.
    void AddDefaultPoolResource() { ++defaultPoolResources_; }
    void RemoveDefaultPoolResource() { --defaultPoolResources_; }
    // Whether the device's window is still there to draw on.
    bool WindowAlive() const { return context_->WindowAlive(); }
    // Where resources record their GL work, and what it runs on.
    CommandStream& commands() { return *commands_; }
    GlDevice* gl() const { return gl_.get(); }
    // part: a resource's GL side, deleted once the commands recorded
    // before have run (they may still use it).
    template <typename Part>
    void Retire(Part* part) {
        commands_->Record([gl = gl_.get(), part] {
            if (!gl->usable) part->Abandon();
            delete part;
        });
    }

    void LetGoOfSurface() override;

private:
    Device(IDirect3D9* direct3D, DeviceSettings settings, std::unique_ptr<GlContext> context);
    ~Device() override;
    void RecordTargets();

    // Back buffer, automatic depth-stencil, their binding, the viewport and
    // every state at its default: what creation and Reset both build.
    HRESULT BuildPresentation(const D3DPRESENT_PARAMETERS& presentation);
    void ChooseSwapInterval();
    void ResetViewport();
    HRESULT ValidateReset() const;
    // Everything set for drawing let go, the presentation surfaces bound again.
    void ReleaseBindings();

    // What a draw reads, worked out before anything is checked or drawn.
    struct DrawPlan {
        pipeline::VertexFormat format;
        pipeline::PipelineKey key;
        pipeline::AttributeUse use;
        UINT extent = 0;  // bytes read of each vertex
        std::array<const D3DLIGHT9*, pipeline::kMaxLights> lights{};
        UINT lightCount = 0;
    };
    struct DrawCall;
    HRESULT PlanDraw(D3DPRIMITIVETYPE type, DrawPlan& plan) const;
    // False when nothing can be drawn now (device lost, window gone).
    bool CanDraw() const;
    // Records the draw; the data that follows the lights in its copy are
    // the vertices and indices given by pointer.
    void Queue(const DrawPlan& plan, DrawCall& call, std::span<const std::byte> vertices = {},
               std::span<const std::byte> indices = {});
    void Record(const DrawPlan& plan, D3DPRIMITIVETYPE type, UINT primitiveCount, bool indexed,
                UINT stride) const;
    HRESULT CreateRenderbufferSurface(UINT width, UINT height, const D3DSURFACE_DESC& desc,
                                      IDirect3DSurface9** surface, HANDLE* sharedHandle);

    IDirect3D9* direct3D_;
    DeviceSettings settings_;
    std::unique_ptr<GlContext> context_;
    std::unique_ptr<GlDevice> gl_;
    std::unique_ptr<CommandStream> commands_;
    D3DPRESENT_PARAMETERS presentation_{};
    std::unique_ptr<Surface> backBuffer_;
    std::unique_ptr<Surface> autoDepthStencil_;
    Surface* renderTarget_ = nullptr;
    Surface* depthStencil_ = nullptr;
    // The device's holds on application surfaces set as targets.
    DeviceHold<IDirect3DSurface9> heldRenderTarget_;
    DeviceHold<IDirect3DSurface9> heldDepthStencil_;
    DeviceBindings bindings_;
    StateBlock states_;
    D3DVIEWPORT9 viewport_{};
    bool inScene_ = false;
    DeviceLoss loss_;
    UINT framesPresented_ = 0;
    int swapInterval_ = 0;
    int defaultPoolResources_ = 0;
    std::vector<std::byte> scratch_;  // a draw's bytes on their way into its command
    window::FrameCapture capture_;
};

}  // namespace platform::d3d9
