// A filter graph that plays one audio stream at a time: a source filter
// rendered into the audio renderer, which is a voice of the mixer. Taking
// a connected filter out of the graph disconnects the stream.
#include "dshow/filter_graph.h"

#include <dshow.h>

#include <algorithm>
#include <new>
#include <string>
#include <vector>

#include "com/com_object.h"
#include "com/com_ref.h"
#include "dshow/filters.h"
#include "dshow/graph_voice.h"
#include "kernel/file_path.h"

#include <sys/stat.h>

namespace platform::dshow {
namespace {

struct GraphEntry {
    IBaseFilter* filter;  // one reference held
    std::wstring name;
};

class FilterEnumerator final : public ComObject<Implements<IEnumFilters, IID_IEnumFilters>> {
public:
    explicit FilterEnumerator(const std::vector<GraphEntry>& entries) {
        for (const GraphEntry& entry : entries) {
            entry.filter->AddRef();
            filters_.push_back(entry.filter);
        }
    }
    ~FilterEnumerator() override {
        for (IBaseFilter* filter : filters_) filter->Release();
    }

    STDMETHODIMP Next(ULONG count, IBaseFilter** filters, ULONG* fetched) override {
        if (filters == nullptr || (count > 1 && fetched == nullptr)) return E_POINTER;
        ULONG given = 0;
        for (; given < count && next_ < filters_.size(); ++given, ++next_) {
            filters[given] = filters_[next_];
            filters[given]->AddRef();
        }
        if (fetched != nullptr) *fetched = given;
        return given == count ? S_OK : S_FALSE;
    }
    STDMETHODIMP Skip(ULONG count) override {
        next_ += count;
        if (next_ <= filters_.size()) return S_OK;
        next_ = filters_.size();
        return S_FALSE;
    }
    STDMETHODIMP Reset() override {
        next_ = 0;
        return S_OK;
    }

private:
    std::vector<IBaseFilter*> filters_;
    std::size_t next_ = 0;
};

bool FileExists(LPCWSTR path) {
    struct stat status {};
    return stat(NativePath(path).c_str(), &status) == 0 && S_ISREG(status.st_mode);
}

class FilterGraph final
    : public ComObject<Implements<IGraphBuilder, IID_IGraphBuilder>,
                       AlsoAnswers<IFilterGraph, IID_IFilterGraph, IGraphBuilder>,
                       Implements<IMediaControl, IID_IMediaControl>,
                       Implements<IMediaSeeking, IID_IMediaSeeking>,
                       Implements<IMediaEventEx, IID_IMediaEventEx>,
                       AlsoAnswers<IMediaEvent, IID_IMediaEvent, IMediaEventEx>,
                       Implements<IBasicAudio, IID_IBasicAudio>> {
public:
    FilterGraph() : voice_(std::make_shared<GraphVoice>()) {
        audio::AddVoice(voice_, audio::VoiceGroup::kMediaGraph);
    }
    ~FilterGraph() override {
        audio::RemoveVoice(voice_.get());
        for (GraphEntry& entry : entries_) entry.filter->Release();
    }

    // IFilterGraph
    STDMETHODIMP AddFilter(IBaseFilter* filter, LPCWSTR name) override {
        if (filter == nullptr) return E_POINTER;
        if (Find(filter) != entries_.end()) return E_INVALIDARG;
        filter->AddRef();
        entries_.push_back({filter, name != nullptr ? name : L""});
        return S_OK;
    }
    STDMETHODIMP RemoveFilter(IBaseFilter* filter) override {
        const auto found = Find(filter);
        if (found == entries_.end()) return VFW_E_NOT_IN_GRAPH;
        if (filter == connectedSource_ || filter == connectedRenderer_) Disconnect();
        found->filter->Release();
        entries_.erase(found);
        return S_OK;
    }
    STDMETHODIMP EnumFilters(IEnumFilters** enumerator) override {
        if (enumerator == nullptr) return E_POINTER;
        *enumerator = new (std::nothrow) FilterEnumerator(entries_);
        return *enumerator != nullptr ? S_OK : E_OUTOFMEMORY;
    }

    // IGraphBuilder
    STDMETHODIMP Render(IPin* output) override {
        const OutputPin* pin = dynamic_cast<OutputPin*>(output);
        if (pin == nullptr) return E_POINTER;
        SourceFilter* source = pin->Filter();
        if (Find(source) == entries_.end()) return VFW_E_NOT_IN_GRAPH;
        std::shared_ptr<const DecodedAudio> audio;
        if (FAILED(source->Decoded(&audio))) return VFW_E_CANNOT_RENDER;
        IBaseFilter* renderer = RendererInGraph();
        if (renderer == nullptr) return E_OUTOFMEMORY;
        connectedSource_ = source;
        connectedRenderer_ = renderer;
        voice_->Connect(std::move(audio));
        return S_OK;
    }
    STDMETHODIMP RenderFile(LPCWSTR file, LPCWSTR) override {
        ComRef<IBaseFilter> source;
        HRESULT status = AddSourceFilter(file, file, source.out());
        if (FAILED(status)) return status;
        ComRef<IPin> pin;
        status = source->FindPin(L"Output", pin.out());
        if (SUCCEEDED(status)) status = Render(pin.get());
        if (FAILED(status)) RemoveFilter(source.get());
        return status;
    }
    STDMETHODIMP AddSourceFilter(LPCWSTR fileName, LPCWSTR filterName, IBaseFilter** filter) override {
        if (fileName == nullptr || filter == nullptr) return E_POINTER;
        *filter = nullptr;
        if (!FileExists(fileName)) return HRESULT_FROM_WIN32(ERROR_FILE_NOT_FOUND);
        ComRef<IBaseFilter> source(new (std::nothrow) SourceFilter(fileName));
        if (!source.get()) return E_OUTOFMEMORY;
        const HRESULT status = AddFilter(source.get(), filterName);
        if (FAILED(status)) return status;
        *filter = source.Detach();
        return S_OK;
    }

    // IMediaControl
    STDMETHODIMP Run() override { return SetState(State_Running); }
    STDMETHODIMP Pause() override { return SetState(State_Paused); }
    STDMETHODIMP Stop() override { return SetState(State_Stopped); }
    STDMETHODIMP GetState(LONG, OAFilterState* state) override {
        if (state == nullptr) return E_POINTER;
        *state = voice_->State();
        return S_OK;
    }

    // IMediaSeeking
    STDMETHODIMP GetDuration(LONGLONG* duration) override { return voice_->Duration(duration); }
    STDMETHODIMP GetCurrentPosition(LONGLONG* current) override {
        if (current == nullptr) return E_POINTER;
        return voice_->Positions(current, nullptr);
    }
    STDMETHODIMP SetPositions(LONGLONG* current, DWORD currentFlags, LONGLONG* stop, DWORD stopFlags) override {
        return voice_->SetPositions(current, currentFlags, stop, stopFlags);
    }
    STDMETHODIMP GetPositions(LONGLONG* current, LONGLONG* stop) override {
        return voice_->Positions(current, stop);
    }

    // IMediaEventEx
    STDMETHODIMP GetEvent(LONG* code, LONG_PTR* param1, LONG_PTR* param2, LONG timeout) override {
        return voice_->TakeEvent(code, param1, param2, timeout);
    }
    STDMETHODIMP FreeEventParams(LONG, LONG_PTR, LONG_PTR) override { return S_OK; }
    STDMETHODIMP SetNotifyWindow(OAHWND window, LONG message, LONG_PTR instance) override {
        voice_->SetNotifyWindow(reinterpret_cast<HWND>(window), static_cast<UINT>(message), instance);
        return S_OK;
    }

    // IBasicAudio
    STDMETHODIMP put_Volume(LONG volume) override {
        if (volume < -10000 || volume > 0) return E_INVALIDARG;
        voice_->SetVolume(volume);
        return S_OK;
    }
    STDMETHODIMP get_Volume(LONG* volume) override {
        if (volume == nullptr) return E_POINTER;
        *volume = voice_->Volume();
        return S_OK;
    }
    STDMETHODIMP put_Balance(LONG balance) override {
        if (balance < -10000 || balance > 10000) return E_INVALIDARG;
        voice_->SetBalance(balance);
        return S_OK;
    }
    STDMETHODIMP get_Balance(LONG* balance) override {
        if (balance == nullptr) return E_POINTER;
        *balance = voice_->Balance();
        return S_OK;
    }

private:
    std::vector<GraphEntry>::iterator Find(IBaseFilter* filter) {
        return std::find_if(entries_.begin(), entries_.end(),
                            [filter](const GraphEntry& entry) { return entry.filter == filter; });
    }

    // One renderer per graph, added on the first render and reused while it
    // stays in the graph.
    IBaseFilter* RendererInGraph() {
        for (const GraphEntry& entry : entries_)
            if (dynamic_cast<RendererFilter*>(entry.filter) != nullptr) return entry.filter;
        ComRef<IBaseFilter> renderer(new (std::nothrow) RendererFilter);
        if (!renderer.get() || FAILED(AddFilter(renderer.get(), L"Audio Renderer"))) return nullptr;
        return renderer.get();
    }

    void Disconnect() {
        connectedSource_ = nullptr;
        connectedRenderer_ = nullptr;
        voice_->Connect(nullptr);
    }

    HRESULT SetState(FILTER_STATE state) {
        voice_->SetState(state);
        return S_OK;
    }

    std::shared_ptr<GraphVoice> voice_;
    std::vector<GraphEntry> entries_;
    // The connection, between two filters of entries_ (not held apart).
    IBaseFilter* connectedSource_ = nullptr;
    IBaseFilter* connectedRenderer_ = nullptr;
};

}  // namespace

HRESULT CreateFilterGraph(REFIID iid, void** object) { return CreateComObject<FilterGraph>(iid, object); }

}  // namespace platform::dshow
