// The filter graph CoCreateInstance makes for CLSID_FilterGraph.
#pragma once

#include <objbase.h>

namespace platform::dshow {

HRESULT CreateFilterGraph(REFIID iid, void** object);

}  // namespace platform::dshow
