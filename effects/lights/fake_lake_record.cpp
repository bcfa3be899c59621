// The lake's record, version 2: from version 2 six scaled values, the
// normal map's amplitude, the shore band, the copy size and the tint;
// always the normal map's key (braced GUID text, name, flag); then the
// light's part.
#include "effects/lights/fake_lake_2d.h"

#include "scene/document/guid_text.h"
#include "scene/document/reader_registry.h"
#include "scene/document/record.h"
#include "scene/resources/kv_docresmanager.h"

namespace {

constexpr DWORD kLakeVersion = 2;

const RegisterReader<FakeLake2D, KV_2D_Light> registration(L"FakeLake2D");

} // namespace

void FakeLake2D::Read(KV_IOF_Virtual& archive, DWORD version)
{
    if (version > 1) {
        for (UINTSclaleTo<float>* scaled :
             {&rippleTiling, static_cast<UINTSclaleTo<float>*>(&waveSpeed), &horizon, &normalMapScale, &tintStrength,
              &tintFade}) {
            UINT value = scaled->Value();
            archive.ReadUInt(&value);
            scaled->SetValue(value);
        }
        archive.ReadUInt(&normalAmplitude.Value());
        archive.ReadUInt(&shoreBand.Value());
        archive.ReadInt(&copySizeExponent.Value());
        archive.ReadDword(&lakeTint.Value());
    }
    ReadGuid(archive, &normalMapKey.id);
    archive.ReadString(&normalMapKey.name);
    archive.ReadBool(&normalMapKey.flag);
    ReadRecord(archive, *this);
}

// The normal map goes into the document's table first, to be saved with it.
void FakeLake2D::Write(KV_IOF_Virtual& archive) const
{
    if (g_currentDocResManager && normalMap) {
        normalMap->AddRef();
        g_currentDocResManager->GuidTextures()[normalMapKey].Reset(normalMap.Get());
    }
    WriteRecordFrame(archive, L"FakeLake2D", kLakeVersion);
    for (const UINTSclaleTo<float>* scaled :
         {&rippleTiling, static_cast<const UINTSclaleTo<float>*>(&waveSpeed), &horizon, &normalMapScale,
          &tintStrength, &tintFade})
        archive.WriteUInt(&scaled->Value());
    archive.WriteUInt(&normalAmplitude.Value());
    archive.WriteUInt(&shoreBand.Value());
    archive.WriteInt(&copySizeExponent.Value());
    archive.WriteDword(&lakeTint.Value());
    WriteGuid(archive, normalMapKey.id);
    archive.WriteString(&normalMapKey.name);
    archive.WriteBool(&normalMapKey.flag);
    KV_2D_Light::Write(archive);
}
