// Reset: refused while the device is lost or while the application holds
// what Reset must replace; afterwards every state is back at its default
// and nothing is set for drawing any more.
#include "d3d9/device.h"
#include "d3d9/presentation_parameters.h"

namespace platform::d3d9 {

HRESULT Device::ValidateReset() const {
    if (defaultPoolResources_ > 0) return D3DERR_INVALIDCALL;
    if (backBuffer_->applicationReferences() > 0) return D3DERR_INVALIDCALL;
    if (autoDepthStencil_ && autoDepthStencil_->applicationReferences() > 0) return D3DERR_INVALIDCALL;
    return D3D_OK;
}

void Device::ReleaseBindings() {
    bindings_.Clear();
    renderTarget_ = backBuffer_.get();
    depthStencil_ = autoDepthStencil_.get();
    heldRenderTarget_.Set(nullptr);
    heldDepthStencil_.Set(nullptr);
    RecordTargets();
}

STDMETHODIMP Device::Reset(D3DPRESENT_PARAMETERS* presentationParameters) {
    if (!presentationParameters) return D3DERR_INVALIDCALL;
    commands_->Finish();
    loss_.Poll(framesPresented_);
    if (loss_.lost()) return D3DERR_DEVICELOST;
    const auto fail = [this](HRESULT result) {
        loss_.ResetFailed();
        return result;
    };
    if (const auto failure = loss_.TakeResetFailure()) return fail(*failure);
    ReleaseBindings();
    if (const HRESULT valid = ValidateReset(); FAILED(valid)) return fail(valid);

    D3DPRESENT_PARAMETERS completed = *presentationParameters;
    if (const HRESULT checked = CompletePresentParameters(settings_.adapter, settings_.focusWindow, completed);
        FAILED(checked)) {
        return fail(checked);
    }
    // The GL context belongs to the window the device was made on.
    if (DeviceWindow(completed, settings_.focusWindow) != DeviceWindow(presentation_, settings_.focusWindow)) {
        return fail(D3DERR_INVALIDCALL);
    }
    if (const HRESULT built = BuildPresentation(completed); FAILED(built)) return fail(built);
    *presentationParameters = completed;
    loss_.ResetSucceeded();
    return D3D_OK;
}

}  // namespace platform::d3d9
