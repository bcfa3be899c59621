// A colour (COLORREF order, 0x00BBGGRR) with a transparency in percent
// whose byte result is the alpha.
#pragma once

#include "scene/model/scaled_param.h"

#include <windef.h>

class MediaColor : public MediaParamT<DWORD> {
public:
    MediaColor() : MediaParamT<DWORD>(0xFFFFFF), transparency(0, -2.55f, 255.0f) {}
    MediaColor(const MediaColor&) = default;

    // 255 for transparency 0, 0 for 100.
    BYTE Alpha() const { return transparency.Result(); }

    UINTSclaleTo<unsigned char> transparency;
};
