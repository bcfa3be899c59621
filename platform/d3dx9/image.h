// The pictures D3DX works on between decoding and storing: pixels B, G, R,
// A, rows top first.
#pragma once

#include <d3dx9tex.h>

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <utility>
#include <variant>
#include <vector>

namespace platform::d3dx9 {

// Leaves new samples uninitialised, for pictures that are written whole
// right away: a photograph's pixels are not cleared first.
template <typename T>
struct UninitialisedAllocator : std::allocator<T> {
    template <typename U>
    struct rebind {
        using other = UninitialisedAllocator<U>;
    };
    using std::allocator<T>::allocator;
    template <typename U>
    void construct(U* p) noexcept {
        ::new (static_cast<void*>(p)) U;
    }
    template <typename U, typename... Args>
    void construct(U* p, Args&&... args) {
        ::new (static_cast<void*>(p)) U(std::forward<Args>(args)...);
    }
};

struct Unfilled {};

template <typename Sample>
struct Image {
    UINT width = 0;
    UINT height = 0;
    std::vector<Sample, UninitialisedAllocator<Sample>> samples;  // width * height * 4

    Image() = default;
    // Transparent black.
    Image(UINT w, UINT h) : width(w), height(h), samples(size_t{w} * h * 4, Sample{}) {}
    // For a writer that sets every sample.
    Image(UINT w, UINT h, Unfilled) : width(w), height(h), samples(size_t{w} * h * 4) {}

    Sample* Pixel(UINT x, UINT y) { return samples.data() + (size_t{y} * width + x) * 4; }
    const Sample* Pixel(UINT x, UINT y) const { return samples.data() + (size_t{y} * width + x) * 4; }
};

// Unsigned channels as bytes (255 is 1); signed bump data as floats in
// -1..1, where B, G, R, A carry W, V, U, Q.
using Image8 = Image<uint8_t>;
using ImageF = Image<float>;
using Pixels = std::variant<Image8, ImageF>;

inline UINT WidthOf(const Pixels& pixels) {
    return std::visit([](const auto& image) { return image.width; }, pixels);
}
inline UINT HeightOf(const Pixels& pixels) {
    return std::visit([](const auto& image) { return image.height; }, pixels);
}

// A decoded picture file.
struct Picture {
    D3DXIMAGE_INFO info{};
    std::vector<Pixels> levels;  // level 0 first; a DDS file may carry a chain
    // The file's own bytes of each level in info.Format (DDS), so that a
    // texture of that format and size takes them unchanged.
    std::vector<std::span<const BYTE>> storedLevels;
};

}  // namespace platform::d3dx9
