// Which string describes how a monitor's adapter can draw.
#pragma once

#include <windows.h>

#include "host/host_records.h"

// The Help text of the display settings; adapter may be null.
UINT DisplayHelpStringId(const AdapterRecord* adapter);
// The rendering status line of the display settings page.
UINT RenderingStringId(const AdapterRecord* adapter);
