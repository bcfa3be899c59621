// One decoder per picture file format, behind DecodePicture. Each answers
// false for a file it cannot read whole.
#pragma once

#include "d3dx9/picture_decoder.h"

namespace platform::d3dx9 {

// Larger pictures are refused rather than allocated: one picture decodes
// to at most 8192 x 8192 pixels (256 MiB as BGRA), so an 8000 x 6000 photo
// loads and a small file with a huge header costs nothing.
inline constexpr UINT kMaxPictureSide = 16384;
inline constexpr size_t kMaxPicturePixels = size_t{8192} * 8192;

inline bool FitsPictureBudget(UINT width, UINT height) {
    return width > 0 && height > 0 && width <= kMaxPictureSide && height <= kMaxPictureSide &&
           size_t{width} * height <= kMaxPicturePixels;
}

bool IsPngFile(std::span<const BYTE> file);
bool DecodePng(std::span<const BYTE> file, DecodeDepth depth, Picture& picture);

bool IsJpegFile(std::span<const BYTE> file);
bool DecodeJpeg(std::span<const BYTE> file, DecodeDepth depth, Picture& picture);

bool IsBmpFile(std::span<const BYTE> file);
bool DecodeBmp(std::span<const BYTE> file, DecodeDepth depth, Picture& picture);

bool IsDdsFile(std::span<const BYTE> file);
bool DecodeDds(std::span<const BYTE> file, DecodeDepth depth, Picture& picture);

}  // namespace platform::d3dx9
