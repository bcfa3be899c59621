// The glyph layer's record, version 2: cell size, density and sparkles,
// three switches, the two colours, the transparency, from version 2 the
// glyph strip's link, then the light's part.
#include "effects/lights/matrix_code_light.h"

#include "scene/document/reader_registry.h"
#include "scene/document/record.h"
#include "scene/resources/kv_docresmanager.h"

namespace {

constexpr DWORD kMatrixCodeVersion = 2;

const RegisterReader<KV_MatrixCodeLight, KV_2D_Light> registration(L"KV_MatrixCodeLight");

} // namespace

void KV_MatrixCodeLight::Read(KV_IOF_Virtual& archive, DWORD version)
{
    for (MediaParamT<unsigned int>* value : {&cellSize, &density, &sparkleCount})
        archive.ReadUInt(&value->Value());
    for (MediaParamT<int>* value : {&glints, &backgroundMode, &columnStyle})
        archive.ReadInt(&value->Value());
    archive.ReadDword(&glyphColour.Value());
    archive.ReadDword(&highlightColour.Value());
    UINT transparency = glyphTransparency.Value();
    archive.ReadUInt(&transparency);
    glyphTransparency.SetValue(transparency);
    if (version > 1)
        ReadFileLink(archive, glyphImage);
    ReadRecord(archive, *this);
}

void KV_MatrixCodeLight::Write(KV_IOF_Virtual& archive) const
{
    if (g_currentDocResManager)
        g_currentDocResManager->RegisterImageLink(glyphImage);
    WriteRecordFrame(archive, L"KV_MatrixCodeLight", kMatrixCodeVersion);
    for (const MediaParamT<unsigned int>* value : {&cellSize, &density, &sparkleCount})
        archive.WriteUInt(&value->Value());
    for (const MediaParamT<int>* value : {&glints, &backgroundMode, &columnStyle})
        archive.WriteInt(&value->Value());
    archive.WriteDword(&glyphColour.Value());
    archive.WriteDword(&highlightColour.Value());
    archive.WriteUInt(&glyphTransparency.Value());
    WriteFileLink(archive, glyphImage);
    KV_2D_Light::Write(archive);
}
