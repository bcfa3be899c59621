// A copy of the picture behind the mask, moved by whole picture pixels; a
// flag moves it by one more picture, which mirrors it under mirrored
// addressing.
#pragma once

#include "effects/screenfx/fx_constructor.h"
#include "scene/model/media_rectangle.h"

class KV_BackgroundCopy : public KV_FX_Constructor {
public:
    KV_BackgroundCopy();
    KV_BackgroundCopy(const KV_BackgroundCopy&) = default;

    void Write(KV_IOF_Virtual& archive) const override;
    void Render(KV_ABRender& renderer) override;
    std::unique_ptr<KV_FX_Constructor> Clone() const override;
    void Read(KV_IOF_Virtual& archive, DWORD version);

    // Its two further integers are the offset; the edges are only stored.
    MediaRectangle copyRect;
    MediaParamT<int> copyFlagY{0};
    MediaParamT<int> copyFlagX{0};
};
