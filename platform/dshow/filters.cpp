#include "dshow/filters.h"

#include <new>

namespace platform::dshow {

STDMETHODIMP SourceFilter::FindPin(LPCWSTR id, IPin** pin) {
    if (pin == nullptr) return E_POINTER;
    *pin = nullptr;
    if (id == nullptr || std::wstring(id) != L"Output") return VFW_E_NOT_FOUND;
    *pin = new (std::nothrow) OutputPin(this);
    return *pin != nullptr ? S_OK : E_OUTOFMEMORY;
}

HRESULT SourceFilter::Decoded(std::shared_ptr<const DecodedAudio>* audio) {
    if (!decoded_) {
        auto decoded = std::make_shared<DecodedAudio>();
        const HRESULT status = DecodeAudioFile(path_, decoded.get());
        if (FAILED(status)) return status;
        decoded_ = std::move(decoded);
    }
    *audio = decoded_;
    return S_OK;
}

// The renderer's only pin is its input, which nothing outside the graph
// connects.
STDMETHODIMP RendererFilter::FindPin(LPCWSTR, IPin** pin) {
    if (pin == nullptr) return E_POINTER;
    *pin = nullptr;
    return VFW_E_NOT_FOUND;
}

}  // namespace platform::dshow
