// LoadIconW for icons in a module's resources: the group's largest image
// with 32 bits per pixel, kept as long as the process (icons from LoadIconW
// are shared and never destroyed).
#include "window/icon.h"

#include <cstring>
#include <map>
#include <memory>
#include <optional>
#include <utility>

namespace platform::window {
namespace {

constexpr size_t kGroupHeaderSize = 6;   // reserved, type, count
constexpr size_t kGroupEntrySize = 14;   // width, height, colours, reserved, planes, bits, bytes, id
constexpr size_t kBitmapHeaderSize = 40;

uint16_t Word(const uint8_t* bytes) {
    return static_cast<uint16_t>(bytes[0] | (bytes[1] << 8));
}

uint32_t Dword(const uint8_t* bytes) {
    return static_cast<uint32_t>(bytes[0]) | (static_cast<uint32_t>(bytes[1]) << 8) |
           (static_cast<uint32_t>(bytes[2]) << 16) | (static_cast<uint32_t>(bytes[3]) << 24);
}

std::pair<const uint8_t*, size_t> ResourceBytes(HMODULE module, LPCWSTR name, LPCWSTR type) {
    HRSRC resource = FindResourceW(module, name, type);
    if (!resource) return {nullptr, 0};
    const auto* bytes = static_cast<const uint8_t*>(LockResource(LoadResource(module, resource)));
    return {bytes, bytes ? SizeofResource(module, resource) : 0};
}

// A 32-bit DIB as icons store it: the height counts the colour rows and the
// mask rows, rows run bottom first, and the alpha channel is the mask.
std::optional<IconImage> DecodeIcon(const uint8_t* bytes, size_t size) {
    if (size < kBitmapHeaderSize || Dword(bytes) < kBitmapHeaderSize) return std::nullopt;
    const auto width = static_cast<int32_t>(Dword(bytes + 4));
    const int32_t height = static_cast<int32_t>(Dword(bytes + 8)) / 2;
    const uint16_t bitCount = Word(bytes + 14);
    const uint32_t compression = Dword(bytes + 16);
    if (bitCount != 32 || compression != 0 || width <= 0 || height <= 0 || width > 1024 || height > 1024)
        return std::nullopt;
    const size_t pixelBytes = static_cast<size_t>(width) * height * 4;
    const size_t headerSize = Dword(bytes);
    if (headerSize > size || size - headerSize < pixelBytes) return std::nullopt;
    IconImage image;
    image.width = width;
    image.height = height;
    image.pixels.resize(static_cast<size_t>(width) * height);
    const uint8_t* rows = bytes + headerSize;
    for (int y = 0; y < height; ++y)
        std::memcpy(&image.pixels[static_cast<size_t>(height - 1 - y) * width],
                    rows + static_cast<size_t>(y) * width * 4, static_cast<size_t>(width) * 4);
    return image;
}

std::optional<IconImage> LoadFromModule(HMODULE module, LPCWSTR name) {
    const auto [group, groupSize] = ResourceBytes(module, name, RT_GROUP_ICON);
    if (!group || groupSize < kGroupHeaderSize) return std::nullopt;
    const size_t count = std::min<size_t>(Word(group + 4), (groupSize - kGroupHeaderSize) / kGroupEntrySize);
    std::optional<IconImage> best;
    for (size_t i = 0; i < count; ++i) {
        const uint8_t* entry = group + kGroupHeaderSize + i * kGroupEntrySize;
        const auto [bytes, size] = ResourceBytes(module, MAKEINTRESOURCEW(Word(entry + 12)), RT_ICON);
        if (!bytes) continue;
        auto image = DecodeIcon(bytes, size);
        if (image && (!best || image->width * image->height > best->width * best->height)) best = std::move(image);
    }
    return best;
}

struct IconKey {
    HMODULE module;
    uintptr_t id;
    std::wstring name;
    auto operator<=>(const IconKey&) const = default;
};

std::map<IconKey, std::unique_ptr<IconImage>>& Icons() {
    static std::map<IconKey, std::unique_ptr<IconImage>> icons;
    return icons;
}

}  // namespace

const IconImage* IconImageOf(HICON icon) {
    for (const auto& [key, image] : Icons())
        if (reinterpret_cast<HICON>(image.get()) == icon) return image.get();
    return nullptr;
}

}  // namespace platform::window

extern "C" HICON WINAPI LoadIconW(HINSTANCE instance, LPCWSTR name) {
    using namespace platform::window;
    if (!name) return nullptr;
    const IconKey key{instance, IS_INTRESOURCE(name) ? reinterpret_cast<uintptr_t>(name) : 0,
                      IS_INTRESOURCE(name) ? std::wstring() : std::wstring(name)};
    auto& icons = Icons();
    auto found = icons.find(key);
    if (found == icons.end()) {
        auto image = LoadFromModule(instance, name);
        if (!image) return nullptr;
        found = icons.emplace(key, std::make_unique<IconImage>(std::move(*image))).first;
    }
    return reinterpret_cast<HICON>(found->second.get());
}
