// Textures from the program's own pictures.
#pragma once

#include <windows.h>

#include <d3d9.h>

// The own module's "DDS" picture id on the current device, managed, in its
// own size and format; a full mip chain when asked, else one level. E_FAIL
// when the picture is missing.
HRESULT LoadTextureFromResource(int id, bool fullMips, IDirect3DTexture9** texture);
