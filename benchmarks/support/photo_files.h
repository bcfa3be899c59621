// A 1920 x 1080 picture with the detail of a photograph, encoded once as
// JPEG and once as PNG, for the benchmarks that load pictures.
#pragma once

#include <windows.h>

#include "platform/d3dx9/picture_files.h"

namespace benchmark_pictures {

inline constexpr UINT kPhotoWidth = 1920, kPhotoHeight = 1080;

const d3dx9_test::Bytes& PhotoJpeg();
const d3dx9_test::Bytes& PhotoPng();

}  // namespace benchmark_pictures
