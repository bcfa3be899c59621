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

// The source of the track that plays: taken out of the graph before the
// next is added, so that the graph does not grow by one filter a track.
ComHolder<IBaseFilter> g_currentSource;

} // namespace

bool InitSoundtrackGraph(HWND window)
{
    return BuildFilterGraph(window, g_soundtrackBuilder, g_soundtrackControl, g_soundtrackSeeking, g_soundtrackEvents,
                            g_soundtrackAudio);
}

void PlaySoundtrackFile(const kv_string& path)
{
    ComHolder<IBaseFilter> source;
    if (g_soundtrackBuilder) {
        if (g_currentSource)
            g_soundtrackBuilder->RemoveFilter(g_currentSource.Get());
        g_currentSource.Reset();
        g_soundtrackBuilder->AddSourceFilter(path.c_str(), path.c_str(), source.Receive());
    }
    if (PlaySoundtrackSource(source.Get())) {
        g_currentSource.Reset(source.Get());
        g_currentSource->AddRef();
        return;
    }
    if (g_soundtrackControl)
        g_soundtrackControl->Stop();
    RenderSoundtrackFile(path);
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
