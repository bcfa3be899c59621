#include "sprite_fixtures.h"

#include "scene/document/resource_buffer.h"
#include "scene/model/crt_random.h"

namespace sprite_test {

Bytes ViewObjRecord(int timeLineMode)
{
    Bytes bytes = Frame(u"KV_ViewObjCtrl", 2);
    for (int edge : {0, 400, 0, 300, 0, 0})
        Append(bytes, LeInt(edge));
    for (float relative : {0.0f, 1.0f, 0.0f, 1.0f})
        Append(bytes, LeFloat(relative));
    Append(bytes, Join({{0}, Le32(60)}));
    if (timeLineMode < 0)
        return Join({bytes, Frame(u"KV_ABObj_Constructor", 1), ShortString(u"sprites")});
    // Fades of half a second, a second shown and a second hidden, no intervals.
    Append(bytes, Join({Frame(u"KV_ABObj_Constructor", 2), ShortString(u"sprites"), Frame(u"KV_TimeLineControl", 1),
                        LeInt(timeLineMode), LeInt(0)}));
    for (DWORD hundredths : {100u, 100u, 100u, 100u, 50u, 50u, 0u})
        Append(bytes, Le32(hundredths));
    return bytes;
}

Bytes Link(std::u16string_view path, LONGLONG stamp)
{
    return Join({ShortString(path), Le32(static_cast<DWORD>(stamp)), Le32(static_cast<DWORD>(stamp >> 32))});
}

namespace {

Bytes Entry(INT id, std::u16string_view module, std::u16string_view fileName)
{
    return Join({LeInt(id), ShortString(module), Le32(2), {0xAB, 0xCD}, ShortString(fileName)});
}

} // namespace

Bytes BaseSpriteRecord(const BaseFields& f)
{
    const DWORD v = f.version;
    Bytes bytes = Join({Frame(u"KV_BaseSpriteProp", v), ViewObjRecord(f.timeLineMode), Le32(f.count)});
    if (v < 3)
        Append(bytes, Le32(f.oldSpeed));
    Append(bytes, Join({Le32(40), Le32(f.transparency), LeInt(2), Le32(0x00336699)}));
    for (float value : {0.5f, 0.25f, 0.75f, 1.0f, 2.0f})
        Append(bytes, LeFloat(value));
    if (v == 1) {
        Append(bytes, Le32(f.inlineClaimed));
        for (DWORD i = 0; i < f.inlineHeld; ++i)
            Append(bytes, Entry(0, u"", u"frame.png"));
        Append(bytes, Entry(7, u"common_res.dll", u"second.png"));
    } else {
        Append(bytes, Join({Link(u"picture.png", 5), Link(u"", 0)}));
    }
    Append(bytes, Join({Le32(9), LeFloat(1.5f), Le32(4), LeFloat(10.0f), {1}}));
    if (v == 1)
        return Join({bytes, Le32(2), LeFloat(0.5f), LeFloat(0.5f)});
    if (v >= 4)
        Append(bytes, LeInt(1));
    if (v >= 5)
        Append(bytes, Join({LeInt(1), LeInt(1)}));
    if (v >= 6)
        Append(bytes, LeInt(1));
    if (v >= 7)
        Append(bytes, Le32(200));
    return bytes;
}

Bytes KindRecord(std::u16string_view tag, DWORD version, const Bytes& ownFields, const BaseFields& base)
{
    return Join({Frame(tag, version), ownFields, BaseSpriteRecord(base)});
}

std::unique_ptr<KV_ABObj_Constructor> ReadDescription(const Bytes& bytes, bool* endedExactly)
{
    HeldBytes held(bytes);
    ResourceBuffer buffer = held.Buffer();
    KV_IOF_R<ResourceBuffer> archive(buffer);
    std::unique_ptr<KV_ABObj_Constructor> read = KV_ABObj_Constructor::ReadNew(archive);
    if (endedExactly)
        *endedExactly = !archive.Failed() && buffer.Remaining() == 0;
    return archive.Failed() ? nullptr : std::move(read);
}

Bytes Written(const KV_IOF_Item& item)
{
    KV_IOF_W writer;
    item.Write(writer);
    return writer.TakeBytes();
}

PictureScope::PictureScope(int width, int height) : previous_(g_picturePlacement)
{
    placement_.pictureWidth = width;
    placement_.pictureHeight = height;
    g_picturePlacement = &placement_;
    kv_srand(1);
}

PictureScope::~PictureScope() { g_picturePlacement = previous_; }

FittedPictureScope::FittedPictureScope() : previous_(g_picturePlacement)
{
    placement.pictureWidth = 400;
    placement.pictureHeight = 300;
    placement.scaleX = placement.scaleY = 2.0f;
    for (ScreenQuadCorner& corner : placement.fitQuad.corners) {
        corner.x = corner.u > 0 ? 500.0f : 100.0f;
        corner.y = corner.v > 0 ? 350.0f : 50.0f;
    }
    g_picturePlacement = &placement;
}

FittedPictureScope::~FittedPictureScope() { g_picturePlacement = previous_; }

SpriteInstance NewSprite(KV_ParticleSystemCtrl& d)
{
    SpriteInstance i;
    i.Init(d);
    i.Reset(d);
    d.InitParticle(i);
    return i;
}

void Step(KV_ParticleSystemCtrl& d, SpriteInstance& i, float t)
{
    d.AdvanceClock(t);
    d.animationSpeed.Advance(t);
    d.UpdateParticle(i);
}

}  // namespace sprite_test
