#include "display/monitor_layout_text.h"

#include <charconv>
#include <string>

namespace platform::display {

namespace {

constexpr size_t kMaxMonitors = 32;
constexpr int kMaxSide = 16384;
constexpr int kMaxOffset = 65536;

std::string_view Trim(std::string_view text) {
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos) return {};
    const auto last = text.find_last_not_of(" \t");
    return text.substr(first, last - first + 1);
}

// Reads a number at the front of text; sign allows a leading + or -.
std::optional<int> TakeNumber(std::string_view& text, bool sign) {
    bool negative = false;
    if (sign) {
        if (text.empty() || (text.front() != '+' && text.front() != '-')) return std::nullopt;
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    if (text.empty() || text.front() < '0' || text.front() > '9') return std::nullopt;
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc()) return std::nullopt;
    text.remove_prefix(static_cast<size_t>(end - text.data()));
    return negative ? -value : value;
}

struct Geometry {
    int width;
    int height;
    std::optional<POINT> position;
};

std::optional<Geometry> ParseGeometry(std::string_view text) {
    const auto width = TakeNumber(text, false);
    if (!width || text.empty() || (text.front() != 'x' && text.front() != 'X')) return std::nullopt;
    text.remove_prefix(1);
    const auto height = TakeNumber(text, false);
    if (!height) return std::nullopt;
    if (*width < 1 || *width > kMaxSide || *height < 1 || *height > kMaxSide) return std::nullopt;
    if (text.empty()) return Geometry{*width, *height, std::nullopt};
    const auto x = TakeNumber(text, true);
    const auto y = TakeNumber(text, true);
    if (!x || !y || !text.empty()) return std::nullopt;
    if (*x < -kMaxOffset || *x > kMaxOffset || *y < -kMaxOffset || *y > kMaxOffset) return std::nullopt;
    return Geometry{*width, *height, POINT{*x, *y}};
}

}  // namespace

std::optional<std::vector<DisplayDeviceDescription>> ParseMonitorLayout(std::string_view text) {
    std::vector<DisplayDeviceDescription> devices;
    POINT next{0, 0};
    while (true) {
        const auto comma = text.find(',');
        const auto geometry = ParseGeometry(Trim(text.substr(0, comma)));
        if (!geometry || devices.size() == kMaxMonitors) return std::nullopt;
        const POINT corner = geometry->position.value_or(next);
        DisplayDeviceDescription device;
        device.adapterString = L"Simulated Display Adapter " + std::to_wstring(devices.size() + 1);
        device.rect = {corner.x, corner.y, corner.x + geometry->width, corner.y + geometry->height};
        device.primary = devices.empty();
        devices.push_back(std::move(device));
        next = {devices.back().rect.right, devices.back().rect.top};
        if (comma == std::string_view::npos) break;
        text.remove_prefix(comma + 1);
    }
    return devices;
}

}  // namespace platform::display
