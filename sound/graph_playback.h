// Filter graphs that play sound files: building one, and starting a
// source filter in one that may hold earlier tracks.
#pragma once

#include <windows.h>

#include <dshow.h>

#include <vector>

#include "scene/model/com_holder.h"

// The filters a graph holds just now, each with a reference of its own.
class GraphFilters {
public:
    explicit GraphFilters(IGraphBuilder* builder);
    ~GraphFilters();
    GraphFilters(const GraphFilters&) = delete;
    GraphFilters& operator=(const GraphFilters&) = delete;

    // False when the graph could not list them.
    bool Listed() const { return m_listed; }
    const std::vector<IBaseFilter*>& All() const { return m_filters; }
    bool Holds(IBaseFilter* filter) const;

private:
    std::vector<IBaseFilter*> m_filters;
    bool m_listed = false;
};

// CoInitialize, a new graph and its interfaces in this order, events
// posted to window as message 0x8000 (none without a window). False at
// the first failure; what was obtained stays set.
bool BuildFilterGraph(HWND window, ComHolder<IGraphBuilder>& builder, ComHolder<IMediaControl>& control,
                      ComHolder<IMediaSeeking>& seeking, ComHolder<IMediaEventEx>& events,
                      ComHolder<IBasicAudio>& audio);

// Renders the source's "Output" pin after disconnecting the whole graph
// (every filter removed and added back), then plays from position 0.
// False at the first failure, and for a missing source.
bool PlaySourceInGraph(IGraphBuilder* builder, IMediaControl* control, IMediaSeeking* seeking,
                       IBaseFilter* source);
