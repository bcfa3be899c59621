// Icons from the resources of a module, decoded for the window manager.
#pragma once

#include <cstdint>
#include <vector>

#include <windows.h>

namespace platform::window {

struct IconImage {
    int width = 0;
    int height = 0;
    std::vector<uint32_t> pixels;  // 0xAARRGGBB, rows top first
};

// The picture behind a handle from LoadIconW; nullptr for other handles.
const IconImage* IconImageOf(HICON icon);

}  // namespace platform::window
