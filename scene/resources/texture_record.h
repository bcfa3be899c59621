// A texture with the size of the picture it was made from.
#pragma once

#include <windows.h>

#include <d3d9.h>
#include <d3dx9.h>

class TextureRecord {
public:
    TextureRecord() = default;
    // Adds a reference to the texture (which may be null).
    TextureRecord(IDirect3DTexture9* texture, UINT width, UINT height, float aspect);
    TextureRecord(const TextureRecord& other);
    TextureRecord& operator=(const TextureRecord& other);
    ~TextureRecord();

    IDirect3DTexture9* Texture() const { return texture_; }

    // Replaces the texture (a reference added to the new one) and takes
    // the picture's size from the image information. A picture of width 0
    // (nothing decoded) keeps the aspect at 1.
    void Set(const D3DXIMAGE_INFO& info, IDirect3DTexture9* texture);

    UINT width = 0;
    UINT height = 0;
    float aspect = 1.0f;  // height / width

private:
    void Hold(IDirect3DTexture9* texture);

    IDirect3DTexture9* texture_ = nullptr;
};
