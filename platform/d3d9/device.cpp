#include "d3d9/device.h"

#include "d3d9/presentation_parameters.h"
#include "d3d9/vsync.h"
#include "window/run_limit.h"

namespace platform::d3d9 {

HRESULT Device::Create(IDirect3D9* direct3D, DeviceSettings settings, const D3DPRESENT_PARAMETERS& presentation,
                       IDirect3DDevice9** device) {
    auto context = GlContext::Create(DeviceWindow(presentation, settings.focusWindow));
    if (!context) return D3DERR_NOTAVAILABLE;
    Device* created = new Device(direct3D, std::move(settings), std::move(context));
    const HRESULT built = created->BuildPresentation(presentation);
    if (FAILED(built)) {
        created->Release();
        return built;
    }
    *device = created;
    return D3D_OK;
}

Device::Device(IDirect3D9* direct3D, DeviceSettings settings, std::unique_ptr<GlContext> context)
    : direct3D_(direct3D),
      settings_(std::move(settings)),
      context_(std::move(context)),
      gl_(std::make_unique<GlDevice>(*context_)),  // the context is current here
      loss_(settings_.adapter.ordinal),
      capture_("unit", settings_.adapter.ordinal) {
    direct3D_->AddRef();
    const bool threaded = DeviceQueueEnabled();
    if (threaded) context_->Release();  // the device's thread makes it current there
    GlDevice* gl = gl_.get();
    GlContext* ownContext = context_.get();
    commands_ = std::make_unique<CommandStream>(
        threaded, [gl] { gl->usable = gl->context.MakeCurrent(); }, [ownContext] { ownContext->Release(); });
    AddSurfaceUser(context_->sdlWindow(), this);
}

Device::~Device() {
    NoteDeviceGone(this);
    RemoveSurfaceUser(context_->sdlWindow(), this);
    bindings_.Clear();
    heldRenderTarget_.Set(nullptr);
    heldDepthStencil_.Set(nullptr);
    backBuffer_.reset();
    autoDepthStencil_.reset();
    commands_->Record([gl = gl_.release()] { delete gl; });
    commands_.reset();  // runs what is left, the GL side's end last
    context_.reset();
    ReleaseVsync(this);
    direct3D_->Release();
}

void Device::LetGoOfSurface() {
    commands_->Call([gl = gl_.get()] {
        gl->context.LetGo();
        gl->usable = false;
    });
}

STDMETHODIMP Device::TestCooperativeLevel() {
    commands_->Finish();
    loss_.Poll(framesPresented_);
    return loss_.CooperativeLevel();
}

STDMETHODIMP Device::GetDirect3D(IDirect3D9** direct3D) {
    if (!direct3D) return D3DERR_INVALIDCALL;
    direct3D_->AddRef();
    *direct3D = direct3D_;
    return D3D_OK;
}

STDMETHODIMP Device::GetDeviceCaps(D3DCAPS9* caps) {
    if (!caps) return D3DERR_INVALIDCALL;
    *caps = settings_.caps;
    return D3D_OK;
}

STDMETHODIMP Device::GetDisplayMode(UINT swapChain, D3DDISPLAYMODE* mode) {
    if (swapChain != 0 || !mode) return D3DERR_INVALIDCALL;
    if (presentation_.Windowed) {
        *mode = settings_.adapter.desktopMode;
    } else {
        *mode = {presentation_.BackBufferWidth, presentation_.BackBufferHeight,
                 presentation_.FullScreen_RefreshRateInHz ? presentation_.FullScreen_RefreshRateInHz
                                                          : settings_.adapter.desktopMode.RefreshRate,
                 presentation_.BackBufferFormat == D3DFMT_A8R8G8B8 ? D3DFMT_X8R8G8B8
                                                                  : presentation_.BackBufferFormat};
    }
    return D3D_OK;
}

STDMETHODIMP Device::GetCreationParameters(D3DDEVICE_CREATION_PARAMETERS* parameters) {
    if (!parameters) return D3DERR_INVALIDCALL;
    *parameters = {settings_.adapter.ordinal, settings_.type, settings_.focusWindow, settings_.behaviorFlags};
    return D3D_OK;
}

}  // namespace platform::d3d9
