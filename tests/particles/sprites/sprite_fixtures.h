// Hand-built sprite records, a picture of a fixed size for the rules to
// place sprites on, and sprites set up as the geometry sets them up.
#pragma once

#include "particles/sprites/particle_system_ctrl.h"
#include "scene/document/kv_iof_r.h"
#include "scene/document/reader_registry.h"
#include "scene/document/writer/kv_iof_w.h"
#include "scene/model/picture_placement.h"
#include "support/document_bytes.h"

#include <memory>

namespace sprite_test {

// The sprite fields a fixture stores; the rest are fixed.
struct BaseFields {
    DWORD version = 7;
    DWORD count = 3;
    DWORD transparency = 0;
    // Before version 3 the speed follows the count; later it is the rectangle's.
    DWORD oldSpeed = 77;
    // Version 1: how many inline frames the record claims and holds.
    DWORD inlineClaimed = 0;
    DWORD inlineHeld = 0;
    // A time line of this mode in the description base; none (the default
    // one) when negative.
    int timeLineMode = -1;
};

// A link's stored form: the path, then the stamp.
Bytes Link(std::u16string_view path, LONGLONG stamp);
// The rectangle record (speed 60) with a version-1 name-only base, or with
// a time line of the mode when it is not negative.
Bytes ViewObjRecord(int timeLineMode = -1);
Bytes BaseSpriteRecord(const BaseFields& fields);
// A kind's tag and version, its own field bytes, then the base record.
Bytes KindRecord(std::u16string_view tag, DWORD version, const Bytes& ownFields, const BaseFields& base = {});

// Reads a description through the registry; null when it failed.
std::unique_ptr<KV_ABObj_Constructor> ReadDescription(const Bytes& bytes, bool* endedExactly = nullptr);
Bytes Written(const KV_IOF_Item& item);

template <class Kind>
std::unique_ptr<Kind> ReadAs(const Bytes& bytes, bool* endedExactly = nullptr)
{
    std::unique_ptr<KV_ABObj_Constructor> read = ReadDescription(bytes, endedExactly);
    auto* kind = dynamic_cast<Kind*>(read.get());
    if (kind)
        read.release();
    return std::unique_ptr<Kind>(kind);
}

// A 400 x 300 picture while in scope, and the generator restarted.
class PictureScope {
public:
    PictureScope(int width = 400, int height = 300);
    ~PictureScope();

private:
    PicturePlacement placement_;
    const PicturePlacement* previous_;
};

// The 400 x 300 picture fitted at (100, 50) of a back buffer twice the
// target, while in scope: back-buffer x is picture 2x - 100, y is 2y - 50.
class FittedPictureScope {
public:
    FittedPictureScope();
    ~FittedPictureScope();

    PicturePlacement placement;

private:
    const PicturePlacement* previous_;
};

// Init, Reset, then the kind's own set-up.
SpriteInstance NewSprite(KV_ParticleSystemCtrl& d);
// Moves the description's clock to t and the sprite by one frame.
void Step(KV_ParticleSystemCtrl& d, SpriteInstance& i, float t);

}  // namespace sprite_test
