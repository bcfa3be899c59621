// Text that scrolls inside its quad: one picture in scroll-period seconds,
// entering, crossing and leaving the quad, then a gap as long.
#include "effects/text/text_constructors.h"

#include "effects/screenfx/fx_params.h"
#include "scene/document/reader_registry.h"
#include "scene/document/record.h"

#include <cmath>

namespace {

const RegisterReader<KV_ScrollingTextConstructor, KV_ABObj_Constructor> registration(L"KV_ScrollingTextConstructor");

} // namespace

float ScrollOffsetToShift(float offset)
{
    const auto fraction = static_cast<float>(offset - std::trunc(offset));
    return fraction > 0.0f ? 3.0f * fraction - 1.0f : 3.0f * fraction + 1.0f;
}

void KV_ScrollingTextConstructor::Write(KV_IOF_Virtual& archive) const
{
    WriteRecordFrame(archive, L"KV_ScrollingTextConstructor", 2);
    archive.WriteUInt(&scrollPeriod.Value());
    archive.WriteInt(&direction.Value());
    archive.WriteFloat(&tileHeight);
    archive.WriteFloat(&tileWidth);
    WriteRecord(archive);
}

void KV_ScrollingTextConstructor::Read(KV_IOF_Virtual& archive, DWORD version)
{
    archive.ReadUInt(&scrollPeriod.Value());
    archive.ReadInt(&direction.Value());
    if (version > 1) {
        archive.ReadFloat(&tileHeight);
        archive.ReadFloat(&tileWidth);
    }
    ReadRecord(archive);
}

bool KV_ScrollingTextConstructor::Scrolls() const
{
    return scrollPeriod.Value() != 0 && tileHeight != 0.0f && tileWidth != 0.0f;
}

void KV_ScrollingTextConstructor::UpdateParticle(SpriteInstance& i)
{
    KV_StaticTextConstructor::UpdateParticle(i);
    if (TimeLine().GetPhase() == kPhaseHidden) {
        m_offsetA = m_offsetB = 0.0f;
    } else if (Scrolls()) {
        const float d = clockStep / static_cast<float>(scrollPeriod.Value());
        switch (direction.Value()) {
        case 0: m_offsetB += d; break;
        case 1: m_offsetB -= d; break;
        case 2: m_offsetA += d; break;
        case 3: m_offsetA -= d; break;
        default: break;
        }
    }
    i.vStart = i.uStart = 0.0f;
    if (!Scrolls()) {
        m_shift[0] = m_shift[1] = 0.0f;
        i.vEnd = i.uEnd = 1.0f;
        return;
    }
    const bool vertical = direction.Value() < 2;
    m_shift[0] = vertical ? 0.0f : ScrollOffsetToShift(m_offsetA);
    m_shift[1] = vertical ? ScrollOffsetToShift(m_offsetB) : 0.0f;
    i.vEnd = static_cast<float>(height.Value()) / tileHeight;
    i.uEnd = static_cast<float>(width.Value()) / tileWidth;
}

bool KV_ScrollingTextConstructor::SetupEffect(KV_ABRender&, ParticleGeomArray&)
{
    ID3DXEffect* effect = Effect();
    if (!effect)
        return false;
    effect->SetTechnique("ScrollText");
    SetFloats(*effect, "Shift", {m_shift[0], m_shift[1]});
    effect->SetTexture("Texture1", TextTexture());
    return true;
}
