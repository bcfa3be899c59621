// SAVER_CAPTURE_DIR: every frame shown is written there as a PNG file:
// unit<N>-frame<NNNNN>.png for the presents of the device on adapter N,
// window<N>-frame<NNNNN>.png for the GDI paints of the N-th top-level
// window; NNNNN counts that source's frames over the whole process. With
// SAVER_CAPTURE_FRAMES, each source writes at most that many.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include <windef.h>

namespace platform::window {

class FrameCapture {
public:
    FrameCapture(std::string kind, UINT index);
    bool enabled() const { return directory_.has_value(); }
    // bgra: width x height pixels, B, G, R, A bytes, rows top first.
    void Write(const std::vector<uint8_t>& bgra, int width, int height);

private:
    std::string kind_;
    UINT index_;
    std::optional<std::filesystem::path> directory_;
};

// Writes an opaque RGB PNG; false on any failure.
bool WritePng(const std::filesystem::path& path, const std::vector<uint8_t>& bgra, int width, int height);

}  // namespace platform::window
