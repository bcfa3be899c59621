// Filter graphs that play sound files: building one, and starting a
// source filter in one that may hold earlier tracks.
#pragma once

#include <windows.h>

#include <dshow.h>

#include "scene/model/com_holder.h"

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
