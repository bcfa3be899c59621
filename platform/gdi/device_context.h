// The state of an open device context, looked up by its handle.
#pragma once

#include <windef.h>

#include "gdi/canvas.h"
#include "gdi/clip_region.h"

namespace platform::gdi {

struct DeviceContext {
    explicit DeviceContext(Canvas& target);

    Canvas& canvas;
    ClipRegion clip;
    HGDIOBJ brush;
    HGDIOBJ font;
    COLORREF textColor;
    COLORREF backgroundColor;
    int backgroundMode;
};

// Null for a handle that is not an open device context. The context stays
// valid until CloseDeviceContext, which the drawing thread itself calls.
DeviceContext* LookUpDeviceContext(HDC dc);

// Whether an open device context has object selected.
bool IsSelectedInAnyContext(HGDIOBJ object);

}  // namespace platform::gdi
