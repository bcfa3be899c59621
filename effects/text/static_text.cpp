// Still text, and the record every text kind ends with: version 3, with the
// picture key from version 3 on and the old times in milliseconds before
// version 2.
#include "effects/text/text_constructors.h"

#include "particles/sprites/particle_geom_array.h"
#include "scene/document/guid_text.h"
#include "scene/document/reader_registry.h"
#include "scene/document/record.h"
#include "scene/light/kv_abrender.h"
#include "scene/resources/kv_docresmanager.h"

namespace {

const RegisterReader<KV_StaticTextConstructor, KV_ABObj_Constructor> registration(L"KV_StaticTextConstructor");

constexpr DWORD kStaticTextVersion = 3;

// Stored with only the undo control told, as the old records' times are.
void StoreTellingUndo(MediaParamT<unsigned int>& param, unsigned int value)
{
    param.Value() = value;
    param.UndoControl().OnChanged(nullptr);
}

} // namespace

KV_StaticTextConstructor::KV_StaticTextConstructor()
{
    colour.Value() = 0x000000FF;
    TimeLine().speedMode.Value() = 1;
}

void KV_StaticTextConstructor::Write(KV_IOF_Virtual& archive) const { WriteRecord(archive); }

void KV_StaticTextConstructor::WriteRecord(KV_IOF_Virtual& archive) const
{
    WriteRecordFrame(archive, L"KV_StaticTextConstructor", kStaticTextVersion);
    archive.WriteInt(&firstSetting.Value());
    archive.WriteInt(&secondSetting.Value());
    archive.WriteString(&text.Value());
    archive.WriteInt(&font.size);
    const UINT weight = static_cast<UINT>(font.weight);
    archive.WriteUInt(&weight);
    archive.WriteInt(&font.third);
    archive.WriteString(&font.face);
    StorePictureCopy();
    WriteGuid(archive, pictureKey.id);
    archive.WriteString(&pictureKey.name);
    archive.WriteBool(&pictureKey.flag);
    KV_StatBaseFXCtrl::WriteRecord(archive);
}

void KV_StaticTextConstructor::ReadRecord(KV_IOF_Virtual& archive) { Read(archive, ReadRecordVersion(archive)); }

void KV_StaticTextConstructor::Read(KV_IOF_Virtual& archive, DWORD version)
{
    archive.ReadInt(&firstSetting.Value());
    archive.ReadInt(&secondSetting.Value());
    archive.ReadString(&text.Value());
    archive.ReadInt(&font.size);
    auto weight = static_cast<UINT>(font.weight);
    archive.ReadUInt(&weight);
    font.weight = static_cast<int>(weight);
    archive.ReadInt(&font.third);
    archive.ReadString(&font.face);
    DWORD oldTimes[4] = {};
    if (version < 2)
        for (DWORD& milliseconds : oldTimes)
            archive.ReadDword(&milliseconds);
    if (version > 2) {
        ReadGuid(archive, &pictureKey.id);
        archive.ReadString(&pictureKey.name);
        archive.ReadBool(&pictureKey.flag);
    }
    KV_StatBaseFXCtrl::ReadRecord(archive);
    if (version < 2)
        ApplyOldTimes(oldTimes);
}

// Fade-in, fade-out, visible and invisible; a visible time of 0 meant
// always shown.
void KV_StaticTextConstructor::ApplyOldTimes(const DWORD (&ms)[4])
{
    KV_TimeLineControl& timeLine = TimeLine();
    if (ms[2] == 0) {
        timeLine.mode.Value() = KV_TimeLineControl::kModeAlways;
        timeLine.mode.UndoControl().OnChanged(nullptr);
        return;
    }
    StoreTellingUndo(timeLine.invisibleRange.maximum, ms[3] / 10);
    StoreTellingUndo(timeLine.invisibleRange.minimum, ms[3] / 10);
    StoreTellingUndo(timeLine.visibleRange.maximum, ms[2] / 10);
    StoreTellingUndo(timeLine.visibleRange.minimum, ms[2] / 10);
    timeLine.fadeIn.SetValue(ms[0] / 10);
    timeLine.fadeOut.SetValue(ms[1] / 10);
}

void KV_StaticTextConstructor::StorePictureCopy() const
{
    if (!g_currentDocResManager)
        return;
    ComHolder<IDirect3DTexture9>& slot = g_currentDocResManager->GuidTextures()[pictureKey];
    TextureHolder copy;
    if (m_textTexture && width.Value() > 0 && height.Value() > 0)
        CreateTextureCopy(width.Value(), height.Value(), m_textTexture.Get(), D3DFMT_UNKNOWN, copy);
    IDirect3DTexture9* texture = copy.Get();
    if (texture)
        texture->AddRef();
    slot.Reset(texture);
}

void KV_StaticTextConstructor::LoadResources()
{
    KV_FXParticleSystemCtrl::LoadResources();
    m_textTexture.Share(g_currentDocResManager ? g_currentDocResManager->GuidTextures()[pictureKey].Get() : nullptr);
}

void KV_StaticTextConstructor::UpdateParticle(SpriteInstance& i)
{
    i.centre = position.Value();
    i.halfWidth = static_cast<float>(width.Value()) * 0.5f;
    i.halfHeight = static_cast<float>(height.Value()) * 0.5f;
    UpdateInstanceColor(i);
}

bool KV_StaticTextConstructor::SetupEffect(KV_ABRender& renderer, ParticleGeomArray& geometry)
{
    ID3DXEffect* effect = Effect();
    if (!effect)
        return false;
    effect->SetTechnique("CommonVretexColor");
    effect->SetTexture("Texture1", m_textTexture.Get());
    renderer.DrawIndexedPCT(geometry, effect);
    return false;
}
