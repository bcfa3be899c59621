// Starting a source filter in a filter graph that may hold earlier tracks.
#pragma once

#include <dshow.h>

// Renders the source's "Output" pin after disconnecting the whole graph
// (every filter removed and added back), then plays from position 0.
// False at the first failure, and for a missing source.
bool PlaySourceInGraph(IGraphBuilder* builder, IMediaControl* control, IMediaSeeking* seeking,
                       IBaseFilter* source);
