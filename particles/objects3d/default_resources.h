// The default meshes and pictures of the 3D objects, in the shared
// resource module.
#pragma once

#include "scene/resources/kv_filelink3.h"

inline constexpr INT kButterflyBodyPicture = 6;
inline constexpr INT kButterflyBodyMesh = 68;
inline constexpr INT kButterflyWingMesh = 69;
inline constexpr INT kClockMesh = 70;
inline constexpr INT kClockDialPicture = 71;
inline constexpr INT kClockHandPicture = 72;

inline KV_FileLink3 DefaultResource(INT id) { return KV_FileLink3::FromResource(id, L"common_res.dll"); }
