#include "scene/model/abobj_constructor.h"

KV_ABObj_Constructor::KV_ABObj_Constructor() : m_timeLine(std::make_unique<KV_TimeLineControl>()) {}

KV_ABObj_Constructor::KV_ABObj_Constructor(const KV_ABObj_Constructor& other)
    : KV_IOF_Item(other), flag(other.flag), name(other.name),
      m_timeLine(std::make_unique<KV_TimeLineControl>(*other.m_timeLine))
{
}

KV_ABObj_Constructor::~KV_ABObj_Constructor() = default;

void KV_ABObj_Constructor::Write(KV_IOF_Virtual& archive) const { WriteRecord(archive); }
bool KV_ABObj_Constructor::OnMouseMove(int, int) { return false; }
void KV_ABObj_Constructor::OnMouseClick(int, int) {}
int KV_ABObj_Constructor::GetKindCode() const { return 3; }
ImageInfo KV_ABObj_Constructor::GetImageInfo() const { return {}; }
void KV_ABObj_Constructor::Signal(int) {}
void KV_ABObj_Constructor::AssignKey() {}
void KV_ABObj_Constructor::Reset() { m_timeLine->Machine().Reset(); }
void KV_ABObj_Constructor::NotifyFirst(int) {}
void KV_ABObj_Constructor::NotifySecond(int) {}
int KV_ABObj_Constructor::QueryValue(int) const { return 0; }
int KV_ABObj_Constructor::QueryObject(KV_ABObj*) const { return 0; }
