#include "scene/resources/texture_record.h"

TextureRecord::TextureRecord(IDirect3DTexture9* texture, UINT width, UINT height, float aspect)
    : width(width), height(height), aspect(aspect) {
    Hold(texture);
}

TextureRecord::TextureRecord(const TextureRecord& other)
    : TextureRecord(other.texture_, other.width, other.height, other.aspect) {}

TextureRecord& TextureRecord::operator=(const TextureRecord& other) {
    Hold(other.texture_);
    width = other.width;
    height = other.height;
    aspect = other.aspect;
    return *this;
}

TextureRecord::~TextureRecord() {
    Hold(nullptr);
}

void TextureRecord::Set(const D3DXIMAGE_INFO& info, IDirect3DTexture9* texture) {
    Hold(texture);
    width = info.Width;
    height = info.Height;
    aspect = width != 0 ? static_cast<float>(height) / static_cast<float>(width) : 1.0f;
}

void TextureRecord::Hold(IDirect3DTexture9* texture) {
    // The new reference first, so that holding the same texture again
    // never lets it go.
    if (texture != nullptr) {
        texture->AddRef();
    }
    if (texture_ != nullptr) {
        texture_->Release();
    }
    texture_ = texture;
}
