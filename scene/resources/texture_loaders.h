// Textures from pictures, with fixed options: the picture's own size and
// format, no usage, the managed pool, no colour key, no palette, on the
// current device. Each returns S_OK when a texture exists afterwards, the
// D3DX error when creation failed, and E_FAIL when there was nothing to
// decode. The image information is cleared before every load.
#pragma once

#include <windows.h>

#include <d3d9.h>
#include <d3dx9.h>

#include "scene/document/kv_string.h"

// Resource "DDS" id of the program's own module, unfiltered; with the full
// mip chain when asked, else one level.
HRESULT LoadTextureFromResource(int id, bool fullMips, IDirect3DTexture9** texture);
// Resource "DDS" id of a module (null: the program's own), one level.
HRESULT LoadTextureFromModuleResource(HMODULE module, int id, IDirect3DTexture9** texture, D3DXIMAGE_INFO* info);
// Picture bytes, one level.
HRESULT LoadTextureFromMemory(const BYTE* bytes, UINT size, IDirect3DTexture9** texture, D3DXIMAGE_INFO* info);
// A picture file, one level.
HRESULT LoadTextureFromFile(const kv_string& path, IDirect3DTexture9** texture, D3DXIMAGE_INFO* info);
