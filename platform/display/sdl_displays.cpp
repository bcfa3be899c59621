#include "display/sdl_displays.h"

#include <SDL.h>

#include <string>

#include "platform/unicode.h"
#include "sdl/sdl_video.h"

namespace platform::display {

namespace {

constexpr DWORD kDefaultFrequency = 60;

// SDL stores 24-bit colour in 32-bit pixels, which Windows calls 32 bits.
DisplayMode ModeFromSdl(const SDL_DisplayMode& mode) {
    const int bytes = SDL_BYTESPERPIXEL(mode.format);
    return {static_cast<DWORD>(mode.w), static_cast<DWORD>(mode.h),
            bytes > 0 ? static_cast<DWORD>(bytes * 8) : 32u,
            mode.refresh_rate > 0 ? static_cast<DWORD>(mode.refresh_rate) : kDefaultFrequency};
}

std::vector<DisplayMode> SdlModes(int display) {
    std::vector<DisplayMode> modes;
    const int count = SDL_GetNumDisplayModes(display);
    for (int i = 0; i < count; ++i) {
        SDL_DisplayMode mode;
        if (SDL_GetDisplayMode(display, i, &mode) == 0 && mode.w > 0 && mode.h > 0) {
            modes.push_back(ModeFromSdl(mode));
        }
    }
    return modes;
}

}  // namespace

std::vector<DisplayDeviceDescription> SdlDisplayDevices() {
    std::vector<DisplayDeviceDescription> devices;
    if (!EnsureSdlVideo()) return devices;
    const int count = SDL_GetNumVideoDisplays();
    for (int i = 0; i < count; ++i) {
        SDL_Rect bounds;
        if (SDL_GetDisplayBounds(i, &bounds) != 0 || bounds.w <= 0 || bounds.h <= 0) continue;
        DisplayDeviceDescription device;
        device.adapterString = L"Display Adapter " + std::to_wstring(i + 1);
        if (const char* name = SDL_GetDisplayName(i); name && *name) device.monitorString = WideFromUtf8(name);
        device.rect = {bounds.x, bounds.y, bounds.x + bounds.w, bounds.y + bounds.h};
        device.primary = i == 0;
        SDL_DisplayMode current;
        if (SDL_GetCurrentDisplayMode(i, &current) == 0) {
            const DisplayMode mode = ModeFromSdl(current);
            device.bitsPerPel = mode.bitsPerPel;
            device.frequency = mode.frequency;
        }
        device.modes = SdlModes(i);
        devices.push_back(std::move(device));
    }
    return devices;
}

}  // namespace platform::display
