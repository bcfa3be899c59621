// The textured generator's record, version 3: the picture links, the
// effect link, the two colours, the blend mode, the mirrors and the
// sequence flag, then the generator base record.
#include "particles/generators/tex_particle_generator.h"

#include "scene/document/record.h"
#include "scene/resources/kv_docresmanager.h"

namespace {

constexpr DWORD kTexGeneratorVersion = 3;
// The shortest string and its stamp.
constexpr std::size_t kMinLinkBytes = 1 + 8;

void ReadColour(KV_IOF_Virtual& archive, MediaColor& colour)
{
    archive.ReadDword(&colour.Value());
    archive.ReadUInt(&colour.transparency.Value());
    colour.transparency.NotifyControls(nullptr);
}

void WriteColour(KV_IOF_Virtual& archive, const MediaColor& colour)
{
    archive.WriteDword(&colour.Value());
    archive.WriteUInt(&colour.transparency.Value());
}

KV_ImageFileLink ReadImageLink(KV_IOF_Virtual& archive)
{
    KV_ImageFileLink link;
    ReadFileLink(archive, link);
    return link;
}

void ReadImageLinks(KV_IOF_Virtual& archive, std::vector<KV_ImageFileLink>& links)
{
    DWORD count = 0;
    archive.ReadDword(&count);
    if (!archive.CanHold(count, kMinLinkBytes))
        return;
    links.clear();
    links.reserve(count);
    for (DWORD i = 0; i < count; ++i)
        links.push_back(ReadImageLink(archive));
}

void WriteImageLinks(KV_IOF_Virtual& archive, const std::vector<KV_ImageFileLink>& links)
{
    const DWORD count = static_cast<DWORD>(links.size());
    archive.WriteDword(&count);
    for (const KV_ImageFileLink& link : links) {
        if (g_currentDocResManager)
            g_currentDocResManager->RegisterImageLink(link);
        WriteFileLink(archive, link);
    }
}

} // namespace

void KV_TexParticleGenerator::ReadRecord(KV_IOF_Virtual& archive)
{
    const DWORD version = ReadRecordVersion(archive);
    ReadFields(archive, version);
}

void KV_TexParticleGenerator::ReadFields(KV_IOF_Virtual& archive, DWORD version)
{
    ReadImageLinks(archive, images);
    ReadFileLink(archive, effectLink);
    ReadColour(archive, firstColour);
    ReadColour(archive, secondColour);
    archive.ReadInt(&blendMode.Value());
    verticalMirror.Value() = 0;
    horizontalMirror.Value() = 0;
    if (version >= 2) {
        archive.ReadInt(&verticalMirror.Value());
        archive.ReadInt(&horizontalMirror.Value());
    }
    if (version > 2)
        archive.ReadInt(&sequenceFlag);
    KV_ParticleGenerator::ReadRecord(archive);
}

void KV_TexParticleGenerator::WriteRecord(KV_IOF_Virtual& archive) const
{
    WriteRecordFrame(archive, L"KV_TexParticleGenerator", kTexGeneratorVersion);
    WriteFields(archive);
}

void KV_TexParticleGenerator::WriteFields(KV_IOF_Virtual& archive) const
{
    WriteImageLinks(archive, images);
    WriteFileLink(archive, effectLink);
    WriteColour(archive, firstColour);
    WriteColour(archive, secondColour);
    archive.WriteInt(&blendMode.Value());
    archive.WriteInt(&verticalMirror.Value());
    archive.WriteInt(&horizontalMirror.Value());
    archive.WriteInt(&sequenceFlag);
    KV_ParticleGenerator::WriteRecord(archive);
}
