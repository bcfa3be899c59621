// The filters a graph holds: a file source with one output pin (its file
// decoded on the first render and kept), and the audio renderer that
// stands for the mixer.
#pragma once

#include <dshow.h>

#include <memory>
#include <string>

#include "com/com_object.h"
#include "com/com_ref.h"
#include "dshow/decoded_audio.h"

namespace platform::dshow {

class SourceFilter final : public ComObject<Implements<IBaseFilter, IID_IBaseFilter>> {
public:
    explicit SourceFilter(std::wstring path) : path_(std::move(path)) {}

    STDMETHODIMP FindPin(LPCWSTR id, IPin** pin) override;

    // The decoded file, or the error that decoding it gave.
    HRESULT Decoded(std::shared_ptr<const DecodedAudio>* audio);

private:
    std::wstring path_;
    std::shared_ptr<const DecodedAudio> decoded_;
};

// The source's output pin; it keeps its filter alive.
class OutputPin final : public ComObject<Implements<IPin, IID_IPin>> {
public:
    explicit OutputPin(SourceFilter* filter) : filter_(filter) { filter->AddRef(); }
    SourceFilter* Filter() const { return filter_.get(); }

private:
    ComRef<SourceFilter> filter_;
};

class RendererFilter final : public ComObject<Implements<IBaseFilter, IID_IBaseFilter>> {
public:
    STDMETHODIMP FindPin(LPCWSTR id, IPin** pin) override;
};

}  // namespace platform::dshow
