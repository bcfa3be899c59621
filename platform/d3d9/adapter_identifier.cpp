#include "d3d9/adapter_identifier.h"

#include <algorithm>
#include <cstring>
#include <string>

#include <SDL.h>
#include <epoxy/gl.h>

#include "platform/unicode.h"
#include "sdl/gl_context.h"
#include "sdl/sdl_video.h"

namespace platform::d3d9 {
namespace {

// Asks GL once per process, through a hidden window of its own.
std::string QueryGlRenderer() {
    if (!EnsureSdlVideo() || !KeepGlLibraryLoaded()) return {};
    const RestoreCurrentGlContext restore;
    SDL_Window* window = SDL_CreateWindow("", 0, 0, 1, 1, SDL_WINDOW_OPENGL | SDL_WINDOW_HIDDEN);
    if (!window) return {};
    std::string renderer;
    if (SDL_GLContext context = CreateCoreGlContext(window)) {
        if (const auto* name = reinterpret_cast<const char*>(glGetString(GL_RENDERER))) renderer = name;
        SDL_GL_MakeCurrent(nullptr, nullptr);
        SDL_GL_DeleteContext(context);
    }
    SDL_DestroyWindow(window);
    return renderer;
}

const std::string& GlRenderer() {
    static const std::string renderer = [] {
        std::string name = QueryGlRenderer();
        return name.empty() ? std::string("OpenGL Display Adapter") : name;
    }();
    return renderer;
}

void CopyText(char* destination, size_t capacity, const std::string& text) {
    const size_t length = std::min(text.size(), capacity - 1);
    std::memcpy(destination, text.data(), length);
    destination[length] = 0;
}

uint64_t Fnv1a(const std::string& text, uint64_t basis) {
    uint64_t hash = basis;
    for (unsigned char c : text) {
        hash ^= c;
        hash *= 0x100000001B3ull;
    }
    return hash;
}

GUID StableIdentifier(const std::string& description, const std::string& deviceName) {
    const std::string key = description + '\n' + deviceName;
    const uint64_t high = Fnv1a(key, 0xCBF29CE484222325ull);
    const uint64_t low = Fnv1a(key, high);
    GUID id{};
    id.Data1 = static_cast<DWORD>(high >> 32);
    id.Data2 = static_cast<WORD>(high >> 16);
    id.Data3 = static_cast<WORD>((high & 0x0FFF) | 0x5000);  // a name-based identifier
    for (int i = 0; i < 8; ++i) id.Data4[i] = static_cast<BYTE>(low >> (56 - 8 * i));
    id.Data4[0] = static_cast<BYTE>((id.Data4[0] & 0x3F) | 0x80);
    return id;
}

}  // namespace

D3DADAPTER_IDENTIFIER9 AdapterIdentifier(const Adapter& adapter) {
    D3DADAPTER_IDENTIFIER9 identifier{};
    const sim::AdapterDescription& described = adapter.description;
    const std::string description = adapter.simulated ? described.description : GlRenderer();
    const std::string deviceName = Utf8FromWide(adapter.deviceName);
    CopyText(identifier.Driver, sizeof identifier.Driver, adapter.simulated ? described.driver : "opengl");
    CopyText(identifier.Description, sizeof identifier.Description, description);
    CopyText(identifier.DeviceName, sizeof identifier.DeviceName, deviceName);
    if (adapter.simulated) {
        identifier.VendorId = described.vendorId;
        identifier.DeviceId = described.deviceId;
    }
    identifier.DeviceIdentifier = described.deviceIdentifier && adapter.simulated
                                      ? *described.deviceIdentifier
                                      : StableIdentifier(description, deviceName);
    return identifier;
}

}  // namespace platform::d3d9
