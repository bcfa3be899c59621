// The font a text was set in. The player draws the picture the document
// stores for the text, so the font is only kept, read and written.
#pragma once

#include "scene/document/kv_string.h"
#include "scene/model/media_param.h"

class FontMediaParam : public MediaParam {
public:
    FontMediaParam() = default;
    // The four values; the controls stay with the original.
    FontMediaParam(const FontMediaParam&) = default;

    int size = 32;
    int weight = 700;
    int third = 0;
    kv_string face = L"Arial";
};
