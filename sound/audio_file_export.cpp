// Embedded playlist items become files that the music graph can open.
#include "scene/slideshow/kv_audio_file.h"

#include <shlwapi.h>

#include "sound/temp_files.h"

void KV_AudioFile::ExportToTempFolder()
{
    if (file.Data() == nullptr)
        return;
    const kv_string stored = file.FileName();
    if (PathFileExistsW(stored.c_str())) {
        file.SetBytes(0, nullptr);
        return;
    }
    // Named after the whole stored path, so that two items with the same
    // file name in different folders keep their own tracks.
    const kv_string copy = TempFolderPath(UniqueTempName(stored));
    WriteWholeFile(copy, file.Data(), file.Size());
    file.Assign(copy, 0, nullptr);
}
