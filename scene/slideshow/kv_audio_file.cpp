#include "scene/slideshow/kv_audio_file.h"

#include "scene/document/kv_iof_virtual.h"
#include "scene/document/record.h"

namespace {

constexpr DWORD kAudioFileVersion = 1;

}  // namespace

void KV_AudioFile::Write(KV_IOF_Virtual& archive) const {
    WriteRecordFrame(archive, L"KV_AudioFile", kAudioFileVersion);
    archive.WriteString(&name);
    archive.WriteEmbeddedFile(&file);
}

void KV_AudioFile::Read(KV_IOF_Virtual& archive) {
    ReadRecordVersion(archive);
    archive.ReadString(&name);
    archive.ReadEmbeddedFile(&file);
}
