// The music player: one filter graph for the whole process, a track at a
// time, the next started by the host at the end of each.
#include "sound/soundtrack.h"

#include "sound/graph_levels.h"
#include "sound/graph_playback.h"

ComHolder<IGraphBuilder> g_soundtrackBuilder;
ComHolder<IMediaControl> g_soundtrackControl;
ComHolder<IMediaSeeking> g_soundtrackSeeking;
ComHolder<IMediaEventEx> g_soundtrackEvents;
ComHolder<IBasicAudio> g_soundtrackAudio;

int g_soundVolume = 100;
int g_muteSound = 0;

namespace {

constexpr LONG kMuted = -10000;

// The source of the track that plays: taken out of the graph once the next
// track plays, so that the graph does not grow by one filter a track.
ComHolder<IBaseFilter> g_currentSource;

// A start that failed leaves the graph as it found it.
void RemoveFiltersAddedSince(const GraphFilters& before)
{
    const GraphFilters now(g_soundtrackBuilder.Get());
    for (IBaseFilter* filter : now.All()) {
        if (!before.Holds(filter))
            g_soundtrackBuilder->RemoveFilter(filter);
    }
}

// The track that plays now replaces the one before it.
void ReplaceCurrentSource(IBaseFilter* source)
{
    if (g_currentSource)
        g_soundtrackBuilder->RemoveFilter(g_currentSource.Get());
    if (source)
        source->AddRef();
    g_currentSource.Reset(source);
}

} // namespace

bool InitSoundtrackGraph(HWND window)
{
    return BuildFilterGraph(window, g_soundtrackBuilder, g_soundtrackControl, g_soundtrackSeeking, g_soundtrackEvents,
                            g_soundtrackAudio);
}

// The track before stays in the graph until this one plays: a file that
// cannot be played adds nothing to it.
void PlaySoundtrackFile(const kv_string& path)
{
    if (!g_soundtrackBuilder)
        return;
    const GraphFilters before(g_soundtrackBuilder.Get());
    ComHolder<IBaseFilter> source;
    g_soundtrackBuilder->AddSourceFilter(path.c_str(), path.c_str(), source.Receive());
    if (PlaySoundtrackSource(source.Get())) {
        ReplaceCurrentSource(source.Get());
        return;
    }
    if (g_soundtrackControl)
        g_soundtrackControl->Stop();
    // The source that would not play goes before RenderFile adds its own.
    RemoveFiltersAddedSince(before);
    if (RenderSoundtrackFile(path))
        ReplaceCurrentSource(nullptr);
    else
        RemoveFiltersAddedSince(before);
}

bool PlaySoundtrackSource(IBaseFilter* source)
{
    return PlaySourceInGraph(g_soundtrackBuilder.Get(), g_soundtrackControl.Get(), g_soundtrackSeeking.Get(),
                             source);
}

bool RenderSoundtrackFile(const kv_string& path)
{
    if (!g_soundtrackBuilder || FAILED(g_soundtrackBuilder->RenderFile(path.c_str(), nullptr)))
        return false;
    LONGLONG duration = 0;
    if (g_soundtrackSeeking)
        g_soundtrackSeeking->GetDuration(&duration);
    return g_soundtrackControl && SUCCEEDED(g_soundtrackControl->Run());
}

void RewindSoundtrack()
{
    if (!g_soundtrackControl)
        return;
    LONGLONG start = 0;
    if (g_soundtrackSeeking)
        g_soundtrackSeeking->SetPositions(&start, AM_SEEKING_AbsolutePositioning, nullptr, AM_SEEKING_NoPositioning);
    g_soundtrackControl->Run();
}

void ApplySoundtrackVolume(int muted)
{
    if (!g_soundtrackAudio)
        return;
    g_soundtrackAudio->put_Volume(muted ? kMuted : GraphLevel(g_soundVolume, 100));
}

LONG PollSoundtrackEvent()
{
    if (!g_soundtrackEvents)
        return -1;
    LONG code = 0;
    LONG_PTR first = 0;
    LONG_PTR second = 0;
    if (FAILED(g_soundtrackEvents->GetEvent(&code, &first, &second, 0)))
        return -1;
    g_soundtrackEvents->FreeEventParams(code, first, second);
    return code;
}

void ReleaseSoundtrackGraph()
{
    g_currentSource.Reset();
    g_soundtrackAudio.Reset();
    g_soundtrackEvents.Reset();
    g_soundtrackSeeking.Reset();
    g_soundtrackControl.Reset();
    g_soundtrackBuilder.Reset();
}
