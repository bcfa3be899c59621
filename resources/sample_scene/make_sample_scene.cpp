// make_sample_scene <stored picture> <sounds folder> <document>: writes the
// sample scene document, which stores the given picture and the sounds
// that the build made into the folder.
#include <algorithm>
#include <cstdio>
#include <exception>
#include <fstream>
#include <iterator>

#include "sample_music.h"
#include "sample_scene.h"
#include "scene/document/writer/scene_document_writer.h"
#include "scene/resources/kv_docresmanager.h"
#include "scene/slideshow/kv_slideshow_light.h"

int main(int argc, char** argv) {
    if (argc != 4) {
        std::fprintf(stderr, "usage: make_sample_scene <stored picture> <sounds folder> <document>\n");
        return 2;
    }
    std::ifstream pictureFile(argv[1], std::ios::binary);
    const std::vector<BYTE> picture{std::istreambuf_iterator<char>(pictureFile), std::istreambuf_iterator<char>()};
    if (picture.empty()) {
        std::fprintf(stderr, "make_sample_scene: cannot read %s\n", argv[1]);
        return 1;
    }
    const SampleSounds sounds = ReadSampleSounds(argv[2]);
    if (sounds.windChime.empty() ||
        std::any_of(sounds.tracks.begin(), sounds.tracks.end(), [](const auto& track) { return track.empty(); })) {
        std::fprintf(stderr, "make_sample_scene: a sound is missing in %s\n", argv[2]);
        return 1;
    }
    KV_DocResManager manager;
    g_currentDocResManager = &manager;
    std::vector<BYTE> document;
    try {
        const auto show = BuildSampleShow(manager, picture, sounds);
        document = WriteSceneDocument(*show, manager);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "make_sample_scene: %s\n", error.what());
        return 1;
    }
    g_currentDocResManager = nullptr;

    std::ofstream out(argv[3], std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(document.data()), static_cast<std::streamsize>(document.size()));
    if (!out.good()) {
        std::fprintf(stderr, "make_sample_scene: cannot write %s\n", argv[3]);
        out.close();
        std::remove(argv[3]);
        return 1;
    }
    return 0;
}
