// Text that reacts to the mouse like a link. The player never passes the
// mouse to scene objects, so on screen it is still text.
#include "effects/text/text_constructors.h"

#include "scene/document/reader_registry.h"
#include "scene/document/record.h"

#include <windows.h>

namespace {

const RegisterReader<KV_TextLinkConstructor, KV_ABObj_Constructor> registration(L"KV_TextLinkConstructor");

} // namespace

void KV_TextLinkConstructor::Write(KV_IOF_Virtual& archive) const
{
    WriteRecordFrame(archive, L"KV_TextLinkConstructor", 1);
    archive.WriteUInt(&linkValue.Value());
    WriteRecord(archive);
}

void KV_TextLinkConstructor::Read(KV_IOF_Virtual& archive, DWORD)
{
    archive.ReadUInt(&linkValue.Value());
    ReadRecord(archive);
}

bool KV_TextLinkConstructor::HitTest(float x, float y) const
{
    const D3DXVECTOR3 p = BackBufferToPicture(x, y);
    const D3DXVECTOR3& centre = position.Value();
    const auto halfWidth = static_cast<float>(width.Value() / 2);
    const auto halfHeight = static_cast<float>(height.Value() / 2);
    return centre.x - halfWidth <= p.x && p.x <= centre.x + halfWidth && centre.y - halfHeight <= p.y &&
           p.y <= centre.y + halfHeight;
}

bool KV_TextLinkConstructor::OnMouseMove(int x, int y)
{
    if (TimeLine().GetPhase() == kPhaseHidden || !HitTest(static_cast<float>(x), static_cast<float>(y)))
        return false;
    SetCursor(LoadCursorW(nullptr, IDC_HAND));
    return true;
}

void KV_TextLinkConstructor::OnMouseClick(int x, int y)
{
    if (TimeLine().GetPhase() != kPhaseHidden)
        HitTest(static_cast<float>(x), static_cast<float>(y));
}
