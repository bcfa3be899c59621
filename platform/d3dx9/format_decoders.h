// One decoder per picture file format, behind DecodePicture. Each answers
// false for a file it cannot read whole.
#pragma once

#include "d3dx9/picture_decoder.h"

namespace platform::d3dx9 {

// Larger pictures are refused rather than allocated.
inline constexpr UINT kMaxPictureSide = 16384;

bool IsPngFile(std::span<const BYTE> file);
bool DecodePng(std::span<const BYTE> file, DecodeDepth depth, Picture& picture);

bool IsJpegFile(std::span<const BYTE> file);
bool DecodeJpeg(std::span<const BYTE> file, DecodeDepth depth, Picture& picture);

bool IsBmpFile(std::span<const BYTE> file);
bool DecodeBmp(std::span<const BYTE> file, DecodeDepth depth, Picture& picture);

bool IsDdsFile(std::span<const BYTE> file);
bool DecodeDds(std::span<const BYTE> file, DecodeDepth depth, Picture& picture);

}  // namespace platform::d3dx9
