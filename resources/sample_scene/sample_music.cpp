#include "sample_music.h"

#include <fstream>
#include <iterator>

#include "scene/slideshow/kv_slideshow_light.h"

namespace {

std::vector<BYTE> FileBytes(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

}  // namespace

SampleSounds ReadSampleSounds(const std::string& folder) {
    SampleSounds sounds;
    for (const SampleTrack& track : kSampleTracks) sounds.tracks.push_back(FileBytes(folder + "/" + track.fileName));
    sounds.windChime = FileBytes(folder + "/" + kWindChimeFile);
    return sounds;
}

void AddSamplePlaylist(SampleScene& scene) {
    for (std::size_t i = 0; i < std::size(kSampleTracks) && i < scene.sounds.tracks.size(); ++i) {
        const std::vector<BYTE>& bytes = scene.sounds.tracks[i];
        const std::string fileName = kSampleTracks[i].fileName;
        auto* item = new KV_AudioFile;
        item->name = kSampleTracks[i].title;
        // Where the author's file was: not on the machine that plays it, so
        // the show's start writes the stored bytes to the temporary folder.
        item->file.Assign(L"C:\\Sample Music\\" + kv_string(fileName.begin(), fileName.end()),
                          static_cast<DWORD>(bytes.size()), bytes.data());
        scene.show.playlist.emplace_back(item);
    }
}
