#include "scene/model/abobj.h"

KV_ABObj::KV_ABObj(std::unique_ptr<KV_ABObj_Constructor> description) : m_description(std::move(description)) {}

KV_ABObj::~KV_ABObj() = default;

void KV_ABObj::SetActive(int active) { m_active = active; }
bool KV_ABObj::ReadsScene() const { return false; }
int KV_ABObj::GetKindCode() const { return m_description->GetKindCode(); }
bool KV_ABObj::HitTest(POINT) const { return false; }
int KV_ABObj::QueryObject() { return m_description->QueryObject(this); }
void KV_ABObj::Reset() { m_description->Reset(); }

void KV_ABObj::Advance(float t)
{
    KV_TimeLineControl& timeLine = m_description->TimeLine();
    Update(timeLine.Machine().LocalTime(timeLine, t));
}

void KV_ABObj::SetTimeLineTime(float t) { m_description->TimeLine().intervalTime = t; }
