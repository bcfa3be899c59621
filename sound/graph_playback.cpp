#include "sound/graph_playback.h"

#include <algorithm>

namespace {

constexpr LONG kGraphEventMessage = 0x8000;

template <class I>
bool Query(const ComHolder<IGraphBuilder>& builder, REFIID iid, ComHolder<I>& target)
{
    return SUCCEEDED(builder->QueryInterface(iid, reinterpret_cast<void**>(target.Receive())));
}

} // namespace

GraphFilters::GraphFilters(IGraphBuilder* builder)
{
    ComHolder<IEnumFilters> enumerator;
    if (builder == nullptr || FAILED(builder->EnumFilters(enumerator.Receive())))
        return;
    for (IBaseFilter* filter = nullptr; enumerator->Next(1, &filter, nullptr) == S_OK;)
        m_filters.push_back(filter);
    m_listed = true;
}

GraphFilters::~GraphFilters()
{
    for (IBaseFilter* filter : m_filters)
        filter->Release();
}

bool GraphFilters::Holds(IBaseFilter* filter) const
{
    return std::find(m_filters.begin(), m_filters.end(), filter) != m_filters.end();
}

bool BuildFilterGraph(HWND window, ComHolder<IGraphBuilder>& builder, ComHolder<IMediaControl>& control,
                      ComHolder<IMediaSeeking>& seeking, ComHolder<IMediaEventEx>& events,
                      ComHolder<IBasicAudio>& audio)
{
    CoInitialize(nullptr);
    if (FAILED(CoCreateInstance(CLSID_FilterGraph, nullptr, CLSCTX_INPROC_SERVER | CLSCTX_INPROC_HANDLER,
                                IID_IGraphBuilder, reinterpret_cast<void**>(builder.Receive()))))
        return false;
    if (!Query(builder, IID_IMediaControl, control) || !Query(builder, IID_IMediaSeeking, seeking) ||
        !Query(builder, IID_IMediaEventEx, events) || !Query(builder, IID_IBasicAudio, audio))
        return false;
    return SUCCEEDED(events->SetNotifyWindow(reinterpret_cast<OAHWND>(window), kGraphEventMessage, 0));
}

bool PlaySourceInGraph(IGraphBuilder* builder, IMediaControl* control, IMediaSeeking* seeking,
                       IBaseFilter* source)
{
    // A track that could not be opened has no source filter.
    if (source == nullptr || builder == nullptr || control == nullptr || seeking == nullptr)
        return false;
    ComHolder<IPin> output;
    if (FAILED(source->FindPin(L"Output", output.Receive())))
        return false;
    if (FAILED(control->Stop()))
        return false;

    const GraphFilters filters(builder);
    if (!filters.Listed())
        return false;
    for (IBaseFilter* filter : filters.All()) {
        if (FAILED(builder->RemoveFilter(filter)) || FAILED(builder->AddFilter(filter, nullptr)))
            return false;
    }

    if (FAILED(builder->Render(output.Get())))
        return false;
    output.Reset();
    LONGLONG start = 0;
    if (FAILED(seeking->SetPositions(&start, AM_SEEKING_AbsolutePositioning, nullptr, AM_SEEKING_NoPositioning)))
        return false;
    return SUCCEEDED(control->Run());
}
