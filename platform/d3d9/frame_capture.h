// SAVER_CAPTURE_DIR: every presented frame of every device is written
// there as unit<N>-frame<NNNNN>.png, N the device's adapter and NNNNN the
// count of frames that unit presented before, over the whole process.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <vector>

#include <windef.h>

namespace platform::d3d9 {

class FrameCapture {
public:
    explicit FrameCapture(UINT unit);
    bool enabled() const { return directory_.has_value(); }
    // bgra: width x height pixels, B, G, R, A bytes, rows top first.
    void Write(const std::vector<uint8_t>& bgra, int width, int height);

private:
    UINT unit_;
    std::optional<std::filesystem::path> directory_;
};

// Writes an opaque RGB PNG; false on any failure.
bool WritePng(const std::filesystem::path& path, const std::vector<uint8_t>& bgra, int width, int height);

}  // namespace platform::d3d9
