#include "d3dx9/picture_decoder.h"

#include <d3dx9.h>

using platform::d3dx9::DecodeDepth;
using platform::d3dx9::DecodePicture;
using platform::d3dx9::Picture;

HRESULT WINAPI D3DXGetImageInfoFromFileInMemory(LPCVOID srcData, UINT srcDataSize, D3DXIMAGE_INFO* srcInfo) {
    if (!srcData || srcDataSize == 0) return D3DERR_INVALIDCALL;
    Picture picture;
    HRESULT result =
        DecodePicture({static_cast<const BYTE*>(srcData), srcDataSize}, DecodeDepth::InfoOnly, picture);
    if (SUCCEEDED(result) && srcInfo) *srcInfo = picture.info;
    return result;
}
