#include "display/usual_modes.h"

namespace platform::display {

namespace {

struct Size {
    DWORD width;
    DWORD height;
};

constexpr Size kCommonSizes[] = {
    {640, 480},   {800, 600},   {1024, 768},  {1152, 864},  {1280, 720},  {1280, 800},
    {1280, 1024}, {1366, 768},  {1440, 900},  {1600, 900},  {1600, 1200}, {1680, 1050},
    {1920, 1080}, {1920, 1200}, {2560, 1440}, {2560, 1600}, {3840, 2160},
};

}  // namespace

std::vector<DisplayMode> UsualDisplayModes(const DisplayMode& current) {
    std::vector<DisplayMode> modes;
    for (const Size& size : kCommonSizes) {
        if (size.width <= current.width && size.height <= current.height) {
            modes.push_back({size.width, size.height, current.bitsPerPel, current.frequency});
        }
    }
    return modes;
}

}  // namespace platform::display
