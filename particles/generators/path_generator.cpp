#include "particles/generators/path_generator.h"

#include "scene/document/record.h"

namespace {

constexpr std::size_t kPointBytes = 12;

} // namespace

void KV_PathGenerator::ReadRecord(KV_IOF_Virtual& archive)
{
    ReadRecordVersion(archive);
    const DWORD count = archive.ReadCount(kPointBytes);
    path.clear();
    for (DWORD i = 0; i < count; ++i)
        ReadPathPoint(archive, path.emplace_back());
    KV_TexParticleGenerator::ReadRecord(archive);
}

void KV_PathGenerator::WriteRecord(KV_IOF_Virtual& archive) const
{
    WriteRecordFrame(archive, L"KV_PathGenerator", 1);
    const DWORD count = static_cast<DWORD>(path.size());
    archive.WriteDword(&count);
    for (const PathPoint& point : path)
        WritePathPoint(archive, point);
    KV_TexParticleGenerator::WriteRecord(archive);
}
